// The scroll: arrows rise up the screen at 200 pixels a second (times the
// player's scroll speed) to the target line, where they are due. Everything
// that places an arrow or a hold strip on screen asks here.
#pragma once
#include <cmath>
#include <cstdint>

#include "kit/window.h"

inline constexpr int TargetLineY = 50;     // top of the target arrows: where a note is due
inline constexpr int MsPerPixel = 5;       // the scroll's pace: 200 pixels a second
inline constexpr int HoldCellHeight = 35;  // one cell of a hold strip
inline constexpr int ArrowSize = 70;       // an arrow is 70 x 70

inline double ScrollSpeed = 1.0;    // 1.00 to 4.00 from the settings: the pace's multiple
inline int32_t VisualOffsetMs = 0;  // from the settings: arrows drawn this much later, judged as ever

// The top of a note's arrow, due at timeMs with the song at songMs: the target
// line plus its time ahead (and the visual offset) at the scroll's pace,
// truncated toward zero. At speed 1 the product is exact, so the places are
// those of the plain pace.
inline int64_t NoteY(int32_t timeMs, int32_t songMs) {
  double ahead = static_cast<double>(int64_t{timeMs} - songMs + VisualOffsetMs);
  return static_cast<int64_t>(TargetLineY + ahead * ScrollSpeed / MsPerPixel);
}

// How many whole pixels a stretch of song time covers (a hold's strip).
inline int64_t ScrollPixels(int32_t ms) { return static_cast<int64_t>(ms * ScrollSpeed / MsPerPixel); }

// The whole cells of a hold strip that long in song time.
inline int64_t HoldWholeCells(int32_t ms) {
  return static_cast<int64_t>(std::floor(ms * ScrollSpeed / MsPerPixel / HoldCellHeight));
}

// Whether an arrow whose top is at y shows any row in the window.
inline bool ArrowInWindow(int64_t y) { return y > -ArrowSize && y < WindowHeight; }

// How long an arrow takes at that scroll speed to rise from the window's
// bottom edge to the target line.
inline double RiseMs(double scrollSpeed) {
  return static_cast<double>(WindowHeight - TargetLineY) * MsPerPixel / scrollSpeed;
}
