// Mines and rolls: what presses and held keys do to them, every play frame.
#include "game/mines_rolls.h"

#include <algorithm>
#include <climits>

#include "charts/clamp.h"
#include "game/judgement.h"
#include "game/play_state.h"
#include "kit/input.h"

namespace {

constexpr int32_t NoPress = INT32_MIN;

bool RollLive[4];            // a roll of the column has its head taken and has not lapsed
int32_t LastTapMs[4];        // song time of the column's latest press while its roll lives
int32_t HeadTakenMs[4];      // song time of the press that took the live roll's head
int32_t FramePressMs[4];     // the column's latest press in this frame, NoPress for none

bool KeyDown(int column) {
  KeyState state = KeyStates[ColumnKeys[column]];
  return state == KeyState::Held || state == KeyState::Pressed;
}

bool InColumn(int column) { return column >= 0 && column < 4; }

void Explode(int index) {
  MineList.erase(MineList.begin() + index);
  ++MinesHit;
  Combo = 0;
  PopupList.clear();  // one word at a time, as for the judgements
  PopupList.push_back(RatingPopup{258, TargetLineY, Mine});
}

// The first roll of the column within the hold window of a song time; -1 for none.
int RollAt(int column, int32_t songMs) {
  for (int i = 0; i < static_cast<int>(NoteList.size()); ++i) {
    const Note& note = NoteList[i];
    int64_t diff = int64_t{note.time} - songMs;
    if (note.roll && note.column == column && diff >= -GoodWithinMs && diff <= GoodWithinMs) return i;
  }
  return -1;
}

void Lapse(int column) {
  RollLive[column] = false;
  if (int i = RollAt(column, SongPosition); i >= 0) {
    JudgeNote(i, Boo);
    ++BooCount;
    Combo = 0;
  }
}

bool Lapsed(int column, int32_t songMs) { return int64_t{songMs} - LastTapMs[column] > RollTapWithinMs; }

// The live roll of a column moves with the song from its head's press up to its
// lapse, so it stays as far ahead as it was taken; it is PERFECT once its length is used up.
void FeedRoll(int column) {
  int i = RollAt(column, SongPosition);
  if (i < 0) {
    RollLive[column] = false;
    return;
  }
  Note& roll = NoteList[i];
  int64_t from = std::max(int64_t{SongPosition} - FrameDelta, int64_t{HeadTakenMs[column]});
  int64_t liveUntil = std::min<int64_t>(SongPosition, int64_t{LastTapMs[column]} + RollTapWithinMs);
  int32_t fed = static_cast<int32_t>(std::clamp<int64_t>(liveUntil - from, 0, std::max(FrameDelta, 0)));
  roll.time = ClampToInt32(int64_t{roll.time} + fed);
  roll.hold = ClampToInt32(int64_t{roll.hold} - fed);
  if (roll.hold <= 0) {
    RollLive[column] = false;
    JudgeNote(i, Perfect);
    ++Combo;
    ++PerfectCount;
  } else if (Lapsed(column, SongPosition)) {
    Lapse(column);
  }
}

// A mine explodes under a column held down at its time: held through the whole
// frame, or pressed in it no later than the mine.
bool HeldThrough(const Note& mine, int64_t frameStart) {
  if (mine.time <= frameStart || mine.time > SongPosition || !KeyDown(mine.column)) return false;
  return FramePressMs[mine.column] == NoPress || FramePressMs[mine.column] <= mine.time;
}

void PassMines() {
  int64_t frameStart = int64_t{SongPosition} - FrameDelta;
  for (int i = 0; i < static_cast<int>(MineList.size());) {
    const Note& mine = MineList[i];
    if (InColumn(mine.column) && HeldThrough(mine, frameStart))
      Explode(i);
    else if (int64_t{mine.time} - SongPosition < -MineWithinMs)
      MineList.erase(MineList.begin() + i);  // avoided
    else
      ++i;
  }
}

}  // namespace

void ResetRolls() {
  for (int c = 0; c < 4; ++c) RollLive[c] = false, LastTapMs[c] = HeadTakenMs[c] = FramePressMs[c] = NoPress;
}

void PressMinesAndRolls(int column, int32_t songMs) {
  if (!InColumn(column)) return;
  FramePressMs[column] = songMs;
  for (int i = 0; i < static_cast<int>(MineList.size()); ++i) {
    int64_t diff = int64_t{MineList[i].time} - songMs;
    if (MineList[i].column == column && diff >= -MineWithinMs && diff <= MineWithinMs) {
      Explode(i);
      break;
    }
  }
  if (RollLive[column] && Lapsed(column, songMs)) Lapse(column);
  if (!RollLive[column] && RollAt(column, songMs) >= 0) RollLive[column] = true, HeadTakenMs[column] = songMs;
  if (RollLive[column]) LastTapMs[column] = songMs;
}

void UpdateMinesAndRolls() {
  for (int c = 0; c < 4; ++c)
    if (RollLive[c]) FeedRoll(c);
  PassMines();
  for (int32_t& press : FramePressMs) press = NoPress;
}
