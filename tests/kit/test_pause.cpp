#include <gtest/gtest.h>

// The pause's buttons and clock bars, and its toggle from the Escape frame.
#include "kit/font.h"
#include "kit/images.h"
#include "kit/input.h"
#include "kit/pause.h"
#include "kit/pause_pixels.h"
#include "test_support.h"

namespace {

std::tm At(int hour, int minute, int second) {
  std::tm when{};
  when.tm_hour = hour, when.tm_min = minute, when.tm_sec = second;
  return when;
}

std::tm On(int weekday, int month, int day, int year) {
  std::tm when{};
  when.tm_wday = weekday, when.tm_mon = month, when.tm_mday = day, when.tm_year = year - 1900;
  return when;
}

TEST(ClockTextTest, TwelveHourClockWithPaddedMinutesAndSeconds) {
  EXPECT_EQ(ClockText(At(0, 0, 5)), "12:00:05 AM");
  EXPECT_EQ(ClockText(At(11, 10, 59)), "11:10:59 AM");
  EXPECT_EQ(ClockText(At(12, 30, 0)), "12:30:00 PM");
  EXPECT_EQ(ClockText(At(13, 5, 9)), "1:05:09 PM");
  EXPECT_EQ(ClockText(At(23, 59, 10)), "11:59:10 PM");
}

TEST(ClockTextTest, DateLineWithOrdinals) {
  EXPECT_EQ(DateText(On(1, 11, 7, 2026)), "Monday December 7th 2026");
  EXPECT_EQ(DateText(On(6, 1, 22, 999)), "Saturday February 22nd 999");
  EXPECT_EQ(DateText(On(3, 8, 30, 2026)), "Wednesday September 30th 2026");
}

// Glyph pixels say what they are: red the character, green the column, blue the row.
// Bar pixels: red 200, blue the row.
class PauseMenuTest : public testing::Test {
 protected:
  void SetUp() override {
    OpenTestScreen();
    FillScreen(0, 0, 0);
    ResetInput();
    if (font == nullptr) {
      font = MakeImage(95 * 15, 21, 0, 0, 0);
      for (int i = 0; i < 95; ++i)
        for (int x = 0; x < 15; ++x)
          for (int y = 0; y < 21; ++y) SetImagePixel(font, 15 * i + x, y, i + 32, x, y);
      bar = MakeImage(640, 128, 0, 0, 0);
      for (int y = 0; y < 128; ++y) {
        SDL_Rect row = MakeRect(0, y, 640, 1);
        SDL_FillRect(bar, &row, SDL_MapRGBA(bar->format, 200, 0, y, 255));
      }
    }
    for (int i = 0; i < 95; ++i) GlyphRects[i] = MakeRect(15 * i, 0, 15, 21);
    FontImage = font;
    BarImage = bar;
  }
  void TearDown() override {
    FontImage = nullptr;
    BarImage = nullptr;
    PauseWanted = false;
    PauseLevel = 0.0;
    ResetInput();
  }
  static Uint32 Glyph(char c, int x, int y) { return Uint32(c) << 16 | x << 8 | y; }
  void Click(int x, int y) {
    ResetInput(x, y);
    MouseButtons[1] = KeyState::Pressed;
  }
  static inline SDL_Surface* font = nullptr;
  static inline SDL_Surface* bar = nullptr;
};

TEST_F(PauseMenuTest, BarsSlideAndTheirLinesEndAtX620) {
  PauseLevel = 100;
  ClockBarTime = On(3, 8, 30, 2026);
  ClockBarTime.tm_sec = 5;
  DrawClockBars();
  EXPECT_EQ(ScreenPixel(301, 20), Glyph('W', 0, 2));  // the longest date line
  EXPECT_EQ(ScreenPixel(300, 20), 0xC80000u | 90);    // bar row 90 beside it
  EXPECT_EQ(ScreenPixel(623, 20), Glyph('6', 14, 2));
  EXPECT_EQ(ScreenPixel(499, 40), Glyph('1', 0, 2));  // "12:00:05 AM"
  EXPECT_EQ(ScreenPixel(5, 419), 0xC80000u);
  EXPECT_EQ(ScreenPixel(20, 445), Glyph('w', 0, 3));
  FillScreen(0, 0, 0);
  PauseLevel = 50;  // d = 30
  DrawClockBars();
  EXPECT_EQ(ScreenPixel(5, 0), 0xC80000u | 100);
  EXPECT_EQ(ScreenPixel(5, 448), 0u);
  EXPECT_EQ(ScreenPixel(20, 479), Glyph('w', 0, 7));
}

TEST_F(PauseMenuTest, ButtonsFullyOpenAndTheirClicks) {
  PauseLevel = 100;
  PauseWanted = true;
  PauseButtons();
  EXPECT_EQ(ScreenPixel(260, 105), Glyph('R', 0, 0));
  EXPECT_EQ(ScreenPixel(298, 155), Glyph('E', 0, 0));
  Click(320, 94);  // just above "Resume game"
  EXPECT_EQ(PauseButtons(), PauseChoice::None);
  Click(320, 95);
  EXPECT_EQ(PauseButtons(), PauseChoice::Resume);
  EXPECT_TRUE(PauseWanted) << "the buttons only say what was chosen";
  EXPECT_EQ(UpdatePause(), PauseChoice::None);
  EXPECT_FALSE(PauseWanted) << "the pause resumes itself";
}

TEST_F(PauseMenuTest, ExitQuitsFadingInOrOutAndResumeKeepsFadingOut) {
  PauseLevel = 50;  // "Resume game" at 355, "Exit" at 405
  for (bool open : {true, false}) {
    PauseWanted = open;
    Click(320, 405);
    EXPECT_EQ(PauseButtons(), PauseChoice::Exit) << open;
    EXPECT_EQ(PauseWanted, open);
  }
  Click(320, 355);
  EXPECT_EQ(PauseButtons(), PauseChoice::Resume);
  EXPECT_EQ(PauseLevel, 50.0);
}

TEST_F(PauseMenuTest, ThePauseShowsItsButtonsFromTheEscapeFrameOnly) {
  Click(320, 645);  // where "Exit" sits at level 0
  EXPECT_EQ(UpdatePause(), PauseChoice::None);
  Click(320, 610);  // "Exit" after the first step of the level
  KeyStates[SDLK_ESCAPE] = KeyState::Pressed;
  EXPECT_EQ(UpdatePause(), PauseChoice::Exit);
  EXPECT_GT(ClockBarTime.tm_year, 100);  // the local time was read for the bars
}

}  // namespace
