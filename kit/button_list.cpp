// The scrolling list of buttons of the song and step-file lists.
#include "kit/button_list.h"

#include "kit/images.h"
#include "kit/panels.h"

namespace {

// An empty-labelled scroll control with an arrow icon on its middle.
bool ScrollControl(int y, int arrowIcon) {
  bool clicked = Button(Centred(320, y, 500, 10), "");
  DrawImage(ArrowsImage, &ArrowRects[arrowIcon], 312, y - 9);
  return clicked;
}

}  // namespace

int ButtonList(const std::vector<std::string>& labels, int& scroll) {
  const int first = scroll;
  const long count = static_cast<long>(labels.size());
  if (first > 0 && count > 0 && ScrollControl(55, ArrowUpIcon)) --scroll;
  int clicked = -1;
  for (int r = 0; r < ListRows; ++r) {
    long k = static_cast<long>(first) + r;
    if (k < 0 || k >= count) continue;
    if (Button(Centred(320, 95 + 40 * r, 600, 10), labels[k])) clicked = static_cast<int>(k);
  }
  if (count > static_cast<long>(first) + ListRows && ScrollControl(375, ArrowDownIcon)) ++scroll;
  return clicked;
}
