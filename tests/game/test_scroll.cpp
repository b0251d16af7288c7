// The scroll speed and the visual offset: at 1.00x every place is the plain
// pace's; faster, the arrows travel that many times as far.
#include <gtest/gtest.h>

#include <climits>

#include "game/scroll.h"

namespace {

TEST(Scroll, AtOneTheArrowsStandWhereThePlainPacePutsThemAndFasterTheyTravelFarther) {
  const int64_t aheads[] = {0, 1, 4, 5, -4, -6, 2145, 2150, 2149, -125, 999999, INT_MAX, -2147483647};
  for (int64_t ahead : aheads) {
    int32_t time = static_cast<int32_t>(ahead / 2), song = static_cast<int32_t>(time - ahead);
    ScrollSpeed = 1.0;
    EXPECT_EQ(NoteY(time, song), static_cast<int64_t>(50 + (int64_t{time} - song) / 5.0)) << ahead;
    EXPECT_EQ(ScrollPixels(time), time / 5) << ahead;
  }
  // Twice as fast: 100 ms move an arrow 40 pixels instead of 20, a hold strip is twice as long.
  for (double speed : {1.0, 2.0, 4.0}) {
    ScrollSpeed = speed;
    EXPECT_EQ(NoteY(1000, 0) - NoteY(1000, 100), static_cast<int64_t>(20 * speed)) << speed;
    EXPECT_EQ(ScrollPixels(500), static_cast<int64_t>(100 * speed)) << speed;
  }
  ScrollSpeed = 1.0;
  VisualOffsetMs = 40;  // drawn 40 ms later: 8 pixels lower
  EXPECT_EQ(NoteY(1000, 1000), 58);
  VisualOffsetMs = 0;
}

}  // namespace
