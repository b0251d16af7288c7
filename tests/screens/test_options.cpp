// The options screen's rules: a key or pad button plays one column only.
#include <gtest/gtest.h>

#include "screens/options.h"

namespace {

TEST(Options, AKeyOrPadButtonBoundToAColumnMovesOffTheOthers) {
  Settings s;
  BindColumnKey(s, 1, "left");  // Down's column takes Left: the left column takes Down's old key
  EXPECT_EQ(s.keyDown, "left");
  EXPECT_EQ(s.keyLeft, "down");
  BindColumnKey(s, 2, "a");
  EXPECT_EQ(s.keyUp, "a");
  EXPECT_EQ(s.keyRight, "right");
  s.padPause = 9;
  BindColumnPad(s, 3, 9);  // the pause loses its button
  EXPECT_EQ(s.padRight, 9);
  EXPECT_EQ(s.padPause, -1);
  BindColumnPad(s, 0, 9);
  EXPECT_EQ(s.padLeft, 9);
  EXPECT_EQ(s.padRight, 0);
}

}  // namespace
