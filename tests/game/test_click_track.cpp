// The calibration's arithmetic: which taps count, and their median.
#include <gtest/gtest.h>

#include <vector>

#include "game/click_track.h"

namespace {

TEST(Calibration, TapsNearAClickCountAndTheMedianIgnoresTheRest) {
  struct Case {
    int tapMs;
    int offset;  // -9999: ignored
  } cases[] = {{2040, 40}, {1760, -240}, {1749, -9999}, {1500, -9999} /* a lead-in click */, {2250, -250},
               {9500 + 250, 250}, {9500 + 251, -9999}, {0, -9999}, {-5000, -9999}, {5737, 237}};
  for (const Case& c : cases) {
    std::optional<int> offset = TapOffset(c.tapMs);
    EXPECT_EQ(offset.value_or(-9999), c.offset) << c.tapMs;
  }
  EXPECT_EQ(MedianOffset({}), 0);
  EXPECT_EQ(MedianOffset({40}), 40);
  EXPECT_EQ(MedianOffset({40, -200, 45, 38, 250}), 40);  // a stray tap moves it little
  EXPECT_EQ(MedianOffset({30, 41, 39, 50}), 40);         // fewer than 16: the middle two
  TapOffsets.assign(15, 40);
  EXPECT_FALSE(ClicksDone(9000));
  EXPECT_TRUE(ClicksDone(9751));  // the last click's reach is over
  TapOffsets.push_back(40);
  EXPECT_TRUE(ClicksDone(8000));  // the 16th tap
  TapOffsets.clear();
}

}  // namespace
