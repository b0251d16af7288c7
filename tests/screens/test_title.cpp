// The title and credits screens.
#include <gtest/gtest.h>

#include "game/media.h"
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

TEST(TitleTest, TitlePictureIsDrawnAtItsPlace) {
  OpenTestScreen();
  FillScreen(0, 0, 0);
  GameTitle = MakeImage(300, 150, 0, 200, 0);
  ResetInput(0, 0);
  RunTitleScreen();
  EXPECT_EQ(ScreenPixel(170, 30), 0x00C800u);
  EXPECT_EQ(ScreenPixel(469, 179), 0x00C800u);
  EXPECT_EQ(ScreenPixel(169, 30), 0u);
  SDL_FreeSurface(GameTitle);
  GameTitle = nullptr;
}

}  // namespace
