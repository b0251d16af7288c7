// The judgement: the song clock, presses, holds and misses, every play frame.
#include "game/judgement.h"

#include <algorithm>
#include <vector>

#include "charts/clamp.h"
#include "game/mines_rolls.h"
#include "game/press_timing.h"
#include "game/scroll.h"
#include "game/song_clock.h"
#include "kit/audio.h"
#include "kit/clock.h"
#include "kit/input.h"
#include "kit/pause.h"

namespace {

// The song time heard at a moment less the audio offset; unsigned arithmetic wraps instead of overflowing.
int32_t SongTimeOfClock(int32_t gameClockMs, uint32_t ticks, bool read) {
  return static_cast<int32_t>(static_cast<uint32_t>(HeardSongMs(gameClockMs, ticks, read)) -
                              static_cast<uint32_t>(AudioOffsetMs));
}

bool KeyDown(int column) {
  KeyState state = KeyStates[ColumnKeys[column]];
  return state == KeyState::Held || state == KeyState::Pressed;
}

void CountTimers() {
  for (int c = 0; c < 4; ++c) {
    ColumnTimer[c] = ClampToInt32(std::max<int64_t>(int64_t{ColumnTimer[c]} - FrameDelta, 0));
    if (KeyDown(c) && ColumnTimer[c] == 0) ColumnTimer[c] = 1;
  }
  for (int c = 0; c < 4; ++c)
    if (KeyStates[ColumnKeys[c]] == KeyState::Pressed) ColumnTimer[c] = PressTimerMs;
}

// One press of a column, at its song time.
struct Press {
  int32_t songMs;
  int column;
};

// Whether a stamp falls in the pause: before the clock ran again, or at or
// after this frame's Escape, which pauses the song.
bool InThePause(uint32_t stampMs) {
  return PauseStartedAt(stampMs) || ClockStoodAt(stampMs);
}

// This frame's presses of the columns whose timer says pressed, in time
// order: each stamped press at its own song time, none from the pause; a
// press the table shows without a stamp (filled by hand, or looked at again
// while the clock stood) at the frame's own time.
std::vector<Press> FramePresses() {
  std::vector<Press> presses;
  for (int c = 0; c < 4; ++c) {
    if (ColumnTimer[c] != PressTimerMs) continue;
    bool stamped = false;
    for (const InputChange& change : FrameChanges) {
      if (change.button || !change.down || change.code != ColumnKeys[c]) continue;
      stamped = true;
      if (!InThePause(change.stampMs)) presses.push_back({SongTimeAt(change.stampMs), c});
    }
    if (!stamped) presses.push_back({SongPosition, c});
  }
  std::stable_sort(presses.begin(), presses.end(), [](const Press& a, const Press& b) { return a.songMs < b.songMs; });
  return presses;
}

// How much of this frame a column was held for its holds: the whole frame
// while its timer runs; a key let go in this frame, its timer run out, up to
// the release's own time.
int32_t HeldMs(int column) {
  if (ColumnTimer[column] != 0) return FrameDelta;
  uint32_t release = 0;
  bool released = false;
  for (const InputChange& change : FrameChanges)
    if (!change.button && change.code == ColumnKeys[column]) released = !change.down, release = change.stampMs;
  if (!released) return 0;
  if (InThePause(release)) return FrameDelta;  // held up to the pause
  int64_t frameStart = int64_t{SongPosition} - FrameDelta;
  return static_cast<int32_t>(std::clamp<int64_t>(SongTimeAt(release) - frameStart, 0, std::max(FrameDelta, 0)));
}

// Notes later than the miss limit at a song time are BOO.
void SweepMisses(int32_t songMs) {
  for (int i = 0; i < static_cast<int>(NoteList.size());) {
    if (int64_t{NoteList[i].time} - songMs >= -MissAfterMs) {
      ++i;
      continue;
    }
    JudgeNote(i, Boo);
    ++BooCount;
    Combo = 0;
  }
}

// A press judges the first tap of its column within reach at its time, in
// list order, and keeps its offset for the results.
void JudgeTap(const Press& press) {
  for (int i = 0; i < static_cast<int>(NoteList.size()); ++i) {
    const Note& note = NoteList[i];
    if (note.hold != 0 || note.column != press.column) continue;
    int64_t diff = int64_t{note.time} - press.songMs;
    Rating rating = Perfect;
    if (diff >= -PerfectWithinMs && diff <= PerfectWithinMs) {
      ++PerfectCount;
    } else if (diff >= -GoodWithinMs && diff <= GoodWithinMs) {
      rating = Good;
      ++GoodCount;
    } else {
      continue;
    }
    PressTimings.push_back({note.time, static_cast<int32_t>(-diff), rating});
    JudgeNote(i, rating);
    ++Combo;
    return;
  }
}

// Every hold of a held column within the window moves with the song and
// shrinks by the time it was held in this frame.
void FeedHolds(int column, int32_t heldMs) {
  for (int i = 0; i < static_cast<int>(NoteList.size());) {
    Note& note = NoteList[i];
    int64_t diff = NoteDiff(note);
    if (note.column != column || note.hold == 0 || note.roll || diff < -GoodWithinMs || diff > GoodWithinMs) {
      ++i;
      continue;
    }
    note.time = ClampToInt32(int64_t{note.time} + heldMs);
    note.hold = ClampToInt32(int64_t{note.hold} - heldMs);
    if (note.hold > 0) {
      ++i;
      continue;
    }
    JudgeNote(i, Perfect);
    ++Combo;
    ++PerfectCount;
  }
}

}  // namespace

int32_t SongTimeAt(uint32_t stampMs) {
  const uint32_t ticks = ClockStoodAt(stampMs) ? ClockRunningSince : stampMs;
  const int32_t songMs = SongTimeOfClock(GameClockAt(stampMs), ticks, false);
  return MusicClockRuns() ? std::min(songMs, SongPosition) : songMs;  // no later than the frame
}

void AdvanceSongClock() {
  int32_t position = SongTimeOfClock(GameClockMs, LastTicks, true);
  FrameDelta = static_cast<int32_t>(static_cast<uint32_t>(position) - static_cast<uint32_t>(SongPosition));
  SongPosition = position;
}

void UpdateJudgement() {
  CountTimers();
  // Each press sees the notes as they stood at its own time.
  for (const Press& press : FramePresses()) {
    SweepMisses(press.songMs);
    PressMinesAndRolls(press.column, press.songMs);
    JudgeTap(press);
  }
  UpdateMinesAndRolls();
  SweepMisses(SongPosition);
  for (int c = 0; c < 4; ++c)
    if (int32_t held = HeldMs(c); held != 0 || ColumnTimer[c] != 0) FeedHolds(c, held);
}

void JudgeNote(int index, Rating rating) {
  RemoveNote(index);
  PopupList.clear();  // one word at a time: a dense chart's words would pile up against the top
  PopupList.push_back(RatingPopup{258, TargetLineY, rating});
}

int64_t NoteDiff(const Note& note) { return int64_t{note.time} - SongPosition; }
