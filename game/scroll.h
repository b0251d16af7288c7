// The scroll: arrows rise up the screen at 200 pixels a second to the target
// line, where they are due. Everything that places an arrow or a hold strip
// on screen asks here.
#pragma once
#include <cstdint>

inline constexpr int TargetLineY = 50;     // top of the target arrows: where a note is due
inline constexpr int MsPerPixel = 5;       // the scroll's pace: 200 pixels a second
inline constexpr int HoldCellHeight = 35;  // one cell of a hold strip

// The top of a note's arrow, due at timeMs with the song at songMs: the target
// line plus its time ahead at the scroll's pace, truncated toward zero.
inline int64_t NoteY(int32_t timeMs, int32_t songMs) {
  return static_cast<int64_t>(TargetLineY + (int64_t{timeMs} - songMs) / static_cast<double>(MsPerPixel));
}

// How many whole pixels a stretch of song time covers (a hold's strip).
inline int64_t ScrollPixels(int32_t ms) { return ms / MsPerPixel; }
