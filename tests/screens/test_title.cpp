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
  const Case cases[] = {{ScreenId::Title, 320, 215, ScreenId::SongSelect}, {ScreenId::Title, 320, 255, ScreenId::Credits},
                        {ScreenId::Title, 320, 235, ScreenId::Title},  // between the two buttons
                        {ScreenId::Credits, 550, 435, ScreenId::Title}, {ScreenId::Credits, 320, 255, ScreenId::Credits}};
  for (const Case& c : cases) {
    Screen = c.screen;
    ResetInput(c.x, c.y);
    MouseButtons[1] = KeyState::Pressed;
    if (c.screen == ScreenId::Title) RunTitleScreen();
    else RunCreditsScreen();
    EXPECT_EQ(Screen, c.next) << c.x << "," << c.y;
  }
  Screen = ScreenId::Title;
}

}  // namespace
