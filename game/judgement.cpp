// The judgement: the song clock, presses, holds and misses, every play frame.
#include "game/judgement.h"

#include <algorithm>

#include "charts/clamp.h"
#include "game/scroll.h"
#include "kit/clock.h"
#include "kit/input.h"

namespace {

// Unsigned arithmetic: a clock that wraps after 24 days steps on instead of overflowing.
int32_t SongTimeOfClock(int32_t gameClockMs) {
  return static_cast<int32_t>(static_cast<uint32_t>(gameClockMs) - static_cast<uint32_t>(PlayStart) -
                              static_cast<uint32_t>(AudioOffsetMs));
}

bool KeyDown(int column) {
  int state = KeyStates[ColumnKeys[column]];
  return state == Held || state == Pressed;
}

void CountTimers() {
  for (int c = 0; c < 4; ++c) {
    ColumnTimer[c] = ClampToInt32(std::max<int64_t>(int64_t{ColumnTimer[c]} - FrameDelta, 0));
    if (KeyDown(c) && ColumnTimer[c] == 0) ColumnTimer[c] = 1;
  }
  for (int c = 0; c < 4; ++c)
    if (KeyStates[ColumnKeys[c]] == Pressed) ColumnTimer[c] = PressTimerMs;
}

void SweepMisses() {
  for (int i = 0; i < static_cast<int>(NoteList.size());) {
    if (NoteDiff(NoteList[i]) >= -MissAfterMs) {
      ++i;
      continue;
    }
    JudgeNote(i, Boo);
    ++BooCount;
    Combo = 0;
  }
}

// A press judges the first tap of its column within reach, in list order.
void JudgeTap(int column) {
  for (int i = 0; i < static_cast<int>(NoteList.size()); ++i) {
    const Note& note = NoteList[i];
    if (note.hold != 0 || note.column != column) continue;
    int64_t diff = NoteDiff(note);
    if (diff >= -PerfectWithinMs && diff <= PerfectWithinMs) {
      JudgeNote(i, Perfect);
      ++PerfectCount;
    } else if (diff >= -GoodWithinMs && diff <= GoodWithinMs) {
      JudgeNote(i, Good);
      ++GoodCount;
    } else {
      continue;
    }
    ++Combo;
    return;
  }
}

// Every hold of a held column within the window moves with the song and shrinks.
void FeedHolds(int column) {
  for (int i = 0; i < static_cast<int>(NoteList.size());) {
    Note& note = NoteList[i];
    int64_t diff = NoteDiff(note);
    if (note.column != column || note.hold == 0 || diff < -GoodWithinMs || diff > GoodWithinMs) {
      ++i;
      continue;
    }
    note.time = ClampToInt32(int64_t{note.time} + FrameDelta);
    note.hold = ClampToInt32(int64_t{note.hold} - FrameDelta);
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

int32_t SongTimeAt(uint32_t stampMs) { return SongTimeOfClock(GameClockAt(stampMs)); }

void AdvanceSongClock() {
  int32_t position = SongTimeOfClock(GameClockMs);
  FrameDelta = static_cast<int32_t>(static_cast<uint32_t>(position) - static_cast<uint32_t>(SongPosition));
  SongPosition = position;
}

void UpdateJudgement() {
  CountTimers();
  SweepMisses();
  for (int c = 0; c < 4; ++c)
    if (ColumnTimer[c] == PressTimerMs) JudgeTap(c);
  for (int c = 0; c < 4; ++c)
    if (ColumnTimer[c] != 0) FeedHolds(c);
}

void JudgeNote(int index, Rating rating) {
  RemoveNote(index);
  PopupList.clear();  // one word at a time: a dense chart's words would pile up against the top
  PopupList.push_back(RatingPopup{258, TargetLineY, rating});
}

int64_t NoteDiff(const Note& note) { return int64_t{note.time} - SongPosition; }
