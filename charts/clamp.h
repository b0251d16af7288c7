// Times, counts and positions of the game are 32-bit; work on them is done
// wider and brought back here, so hostile values saturate instead of wrapping.
#pragma once
#include <algorithm>
#include <cstdint>
#include <limits>

inline constexpr int32_t ClampToInt32(int64_t value) {
  return static_cast<int32_t>(std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(),
                                                  std::numeric_limits<int32_t>::max()));
}

// Truncates toward zero, as every time computed from a tempo is.
inline int32_t TruncateToInt32(double value) {
  if (!(value > -2147483648.0)) return std::numeric_limits<int32_t>::min();
  if (value >= 2147483647.0) return std::numeric_limits<int32_t>::max();
  return static_cast<int32_t>(value);
}
