// A scrolling list of buttons, seven rows at a time, with an up control above
// them while the list is scrolled and a down control below while more rows follow.
#pragma once
#include <string>
#include <vector>

#include "kit/focus.h"

inline constexpr int ListRows = 7;  // rows shown at once

// Draws the rows labels[scroll] .. labels[scroll + 6] and the controls, and
// returns the index of the row clicked in this frame, or -1. A click on a
// control moves scroll by one; the frame is drawn as it stood when it began.
// A scroll at or past the end shows no rows, and the up control brings the
// list back one row per click. The mouse wheel scrolls one step per notch,
// and the keyboard focus moved past the first or last row shown scrolls too;
// Page Up and Page Down move by the rows shown, Home and End to the ends.
// A row's focus identity is its place in labels, or rowIds[row] when given
// (so that it keeps the focus while the list filters).
int ButtonList(const std::vector<std::string>& labels, int& scroll, const std::vector<FocusId>* rowIds = nullptr);

// The row of the last ButtonList under the pointer or the keyboard focus
// (the highlighted one), or -1.
inline int ListLitRow = -1;
