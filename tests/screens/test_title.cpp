// The title and credits screens.
#include <gtest/gtest.h>

#include "kit/input.h"
#include "screens/screen_state.h"
#include "screens/title.h"
#include "test_support.h"

namespace {

TEST(TitleTest, ButtonsLeadToTheSongListAndTheCreditsAndBack) {
  OpenTestScreen();
  struct Case { ScreenId screen; int x, y; ScreenId next; };
  const Case cases[] = {{Title, 320, 215, SongSelect}, {Title, 320, 255, Credits},
                        {Title, 320, 235, Title},  // between the two buttons
                        {Credits, 550, 435, Title}, {Credits, 320, 255, Credits}};
  for (const Case& c : cases) {
    Screen = c.screen;
    ResetInput(c.x, c.y);
    MouseButtons[1] = Pressed;
    if (c.screen == Title) RunTitleScreen();
    else RunCreditsScreen();
    EXPECT_EQ(Screen, c.next) << c.x << "," << c.y;
  }
  Screen = Title;
}

}  // namespace
