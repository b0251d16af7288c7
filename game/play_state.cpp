// The play state's list operations and reset.
#include "game/play_state.h"

#include "game/mines_rolls.h"
#include "game/press_timing.h"

void RemoveNote(int index) {
  if (index >= 0 && index < static_cast<int>(NoteList.size())) NoteList.erase(NoteList.begin() + index);
}

void RemovePopup(int index) {
  if (index >= 0 && index < static_cast<int>(PopupList.size())) PopupList.erase(PopupList.begin() + index);
}

void ResetPlayState() {
  LongestCombo = Combo = BooCount = GoodCount = PerfectCount = MinesHit = 0;
  ResetRolls();
  SongPosition = 0;
  PressTimings.clear();
  for (int32_t& timer : ColumnTimer) timer = 0;
}
