// The scrolling list of buttons of the song and step-file lists.
#include "kit/button_list.h"

#include <SDL.h>

#include <algorithm>

#include "kit/images.h"
#include "kit/input.h"
#include "kit/panels.h"

namespace {

// An empty-labelled scroll control with an arrow icon on its middle.
bool ScrollControl(int y, int arrowIcon, const char* name) {
  bool clicked = Button(Centred(320, y, 500, 10), "", FocusIdOf(name));
  DrawImage(ArrowsImage, &ArrowRects[arrowIcon], 312, y - 9);
  return clicked;
}

struct ListRowIds {
  const std::vector<FocusId>* given;
  long count;
  FocusId operator()(long k) const {
    return given != nullptr && k < static_cast<long>(given->size()) ? (*given)[k] : RowFocusId("list", k);
  }
};

// The row holding the focus, or -1: the rows shown are looked at first.
long FocusedRow(const ListRowIds& idOf, int scroll) {
  if (FocusedId == 0) return -1;
  for (long k = std::max(0, scroll); k < idOf.count && k < static_cast<long>(scroll) + ListRows; ++k)
    if (idOf(k) == FocusedId) return k;
  for (long k = 0; k < idOf.count; ++k)
    if (idOf(k) == FocusedId) return k;
  return -1;
}

// Up and Down from a row to a row; past either end the focus leaves the list.
long RowAfterMove(long row, long count) {
  if (row < 0 || FocusMove == 0) return -1;
  long to = row + FocusMove;
  if (to >= 0 && to < count) return to;
  if (to >= count && row != count - 1) return count - 1;  // a fast repeat stops on the last row first
  if (to < 0 && row != 0) return 0;
  return -1;
}

// Page Up and Page Down move the rows shown and the focus by a screenful;
// Home and End go to the ends. The row they reach, or -1; scroll follows.
long RowAfterJump(long row, long count, int& scroll) {
  const uint32_t now = FrameInputMs;
  int pages = RepeatSteps(SDLK_PAGEDOWN, now) - RepeatSteps(SDLK_PAGEUP, now);
  if (count == 0 || !FocusEnabled) return -1;
  if (KeyStates[SDLK_HOME] == KeyState::Pressed) return 0;
  if (KeyStates[SDLK_END] == KeyState::Pressed) return count - 1;
  if (pages == 0) return -1;
  const long lastScroll = std::max(0L, count - ListRows);
  const long from = std::clamp<long>(scroll, 0, lastScroll);
  scroll = static_cast<int>(std::clamp<long>(from + static_cast<long>(pages) * ListRows, 0, lastScroll));
  return std::clamp<long>(row >= 0 ? row + static_cast<long>(pages) * ListRows : scroll, 0, count - 1);
}

// The keys move the focus along the rows, and the list scrolls to keep it in
// sight; the focus goes to its row from the next frame, drawn as it stood.
void MoveTheFocus(const ListRowIds& idOf, int& scroll) {
  const long row = FocusedRow(idOf, scroll);
  long target = RowAfterJump(row, idOf.count, scroll);
  if (target < 0) target = RowAfterMove(row, idOf.count);
  if (target < 0) return;
  if (target < scroll) scroll = static_cast<int>(target);
  if (target >= static_cast<long>(scroll) + ListRows) scroll = static_cast<int>(target - ListRows + 1);
  FocusNextFrame(idOf(target));
}

}  // namespace

int ButtonList(const std::vector<std::string>& labels, int& scroll, const std::vector<FocusId>* rowIds) {
  const int first = scroll;
  const long count = static_cast<long>(labels.size());
  const bool moreBelow = count > static_cast<long>(first) + ListRows;
  const ListRowIds idOf{rowIds, count};
  MoveTheFocus(idOf, scroll);
  // A notch of the mouse wheel is a click on a control.
  if (MouseButtons[SDL_BUTTON_WHEELUP] == KeyState::Pressed && first > 0 && count > 0 && scroll == first) --scroll;
  if (MouseButtons[SDL_BUTTON_WHEELDOWN] == KeyState::Pressed && moreBelow && scroll == first) ++scroll;
  if (first > 0 && count > 0 && ScrollControl(55, ArrowUpIcon, "list up")) --scroll;
  int clicked = -1;
  ListLitRow = -1;
  for (int r = 0; r < ListRows; ++r) {
    long k = static_cast<long>(first) + r;
    if (k < 0 || k >= count) continue;
    if (Button(Centred(320, 95 + 40 * r, 600, 10), labels[k], idOf(k))) clicked = static_cast<int>(k);
    if (LastButtonLit) ListLitRow = static_cast<int>(k);
  }
  if (moreBelow && ScrollControl(375, ArrowDownIcon, "list down")) ++scroll;
  return clicked;
}
