// The frame: the dispatcher, the pause gate, the pacing and the quit.
#include <gtest/gtest.h>

#include "app/main_loop.h"
#include "app/screen_state.h"
#include "kit/clock.h"
#include "kit/pause.h"
#include "kit/pause_pixels.h"
#include "kit/input.h"
#include "test_support.h"

namespace {

class DispatcherTest : public testing::Test {
 protected:
  void SetUp() override {
    OpenTestScreen();
    ResetInput();
    Screen = Title;
    ScreenChanged = false;
    PauseLevel = 0.0;
  }
  void Click(int x, int y) {
    ResetInput(x, y);
    MouseButtons[1] = Pressed;
  }
};

TEST_F(DispatcherTest, ScreenChangedMarksOnlyTheFirstFrameOfANewScreen) {
  RunDispatcher();
  EXPECT_EQ(Screen, Title);
  EXPECT_FALSE(ScreenChanged);
  Click(320, 255);  // "Credits"
  RunDispatcher();
  EXPECT_EQ(Screen, Credits);
  EXPECT_TRUE(ScreenChanged);
  ResetInput();
  RunDispatcher();
  EXPECT_EQ(Screen, Credits);
  EXPECT_FALSE(ScreenChanged);
}

TEST_F(DispatcherTest, AScreenLeftInItsFirstFrameHandsTheFlagOn) {
  Click(320, 255);
  RunDispatcher();  // Title -> Credits
  Click(550, 435);  // "Back" in the credits' first frame
  RunDispatcher();
  EXPECT_EQ(Screen, Title);
  EXPECT_TRUE(ScreenChanged);
}

TEST_F(DispatcherTest, NoScreenRunsWhileTheOverlayIsAboveZero) {
  ScreenChanged = true;
  PauseLevel = 0.4;
  Click(320, 255);
  RunFrame();
  EXPECT_EQ(Screen, Title);
  EXPECT_TRUE(ScreenChanged);  // kept for the first frame after the overlay closes
  PauseLevel = 0.0;
  PauseWanted = false;
}

TEST(FramePacingTest, ShortFramesSleepToSixteenMilliseconds) {
  EXPECT_EQ(FrameDelayMs(0), 16u);
  EXPECT_EQ(FrameDelayMs(5), 11u);
  EXPECT_EQ(FrameDelayMs(15), 1u);
  EXPECT_EQ(FrameDelayMs(16), 0u);
  EXPECT_EQ(FrameDelayMs(20), 0u);  // a long frame is not made up later
}

}  // namespace
