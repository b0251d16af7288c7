// The scrolling list of buttons of the song and step-file lists.
#include "kit/button_list.h"

#include <SDL.h>

#include "kit/focus.h"
#include "kit/images.h"
#include "kit/input.h"
#include "kit/panels.h"

namespace {

// An empty-labelled scroll control with an arrow icon on its middle.
bool ScrollControl(int y, int arrowIcon) {
  bool clicked = Button(Centred(320, y, 500, 10), "");
  DrawImage(ArrowsImage, &ArrowRects[arrowIcon], 312, y - 9);
  return clicked;
}

// The keyboard focus moved past the first or last row shown scrolls the list
// one step, as its controls do, and stays on that edge row.
void ScrollUnderTheFocus(int& scroll, long count, int listStart) {
  const int first = scroll;
  const int firstRow = listStart + (first > 0 ? 1 : 0);
  const bool moreBelow = count > static_cast<long>(first) + ListRows;
  if (FocusMove > 0 && moreBelow && FocusIndex == firstRow + ListRows - 1) {
    ++scroll;
    FocusNextFrame(listStart + 1 + ListRows - 1);
  } else if (FocusMove < 0 && first > 0 && first < count && FocusIndex == firstRow) {
    --scroll;
    FocusNextFrame(listStart + (scroll > 0 ? 1 : 0));
  }
}

}  // namespace

int ButtonList(const std::vector<std::string>& labels, int& scroll) {
  const int first = scroll;
  const long count = static_cast<long>(labels.size());
  const bool moreBelow = count > static_cast<long>(first) + ListRows;
  ScrollUnderTheFocus(scroll, count, ButtonsDrawn);
  // A notch of the mouse wheel is a click on a control.
  if (MouseButtons[SDL_BUTTON_WHEELUP] == Pressed && first > 0 && count > 0 && scroll == first) --scroll;
  if (MouseButtons[SDL_BUTTON_WHEELDOWN] == Pressed && moreBelow && scroll == first) ++scroll;
  if (first > 0 && count > 0 && ScrollControl(55, ArrowUpIcon)) --scroll;
  int clicked = -1;
  ListLitRow = -1;
  for (int r = 0; r < ListRows; ++r) {
    long k = static_cast<long>(first) + r;
    if (k < 0 || k >= count) continue;
    if (Button(Centred(320, 95 + 40 * r, 600, 10), labels[k])) clicked = static_cast<int>(k);
    if (LastButtonLit) ListLitRow = static_cast<int>(k);
  }
  if (moreBelow && ScrollControl(375, ArrowDownIcon)) ++scroll;
  return clicked;
}
