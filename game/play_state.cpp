// The play state's list operations and reset.
#include "game/play_state.h"

#include "game/press_timing.h"

void RemoveNote(int index) {
  if (index >= 0 && index < static_cast<int>(NoteList.size())) NoteList.erase(NoteList.begin() + index);
}

void RemovePopup(int index) {
  if (index >= 0 && index < static_cast<int>(PopupList.size())) PopupList.erase(PopupList.begin() + index);
}

void ResetPlayState() {
  LongestCombo = Combo = BooCount = GoodCount = PerfectCount = 0;
  SongPosition = 0;
  PressTimings.clear();
  for (int32_t& timer : ColumnTimer) timer = 0;
}
