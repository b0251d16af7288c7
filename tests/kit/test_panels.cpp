// Panels, buttons and the pointer: pixels, hover edges and clicks.
#include <gtest/gtest.h>

#include "kit/font.h"
#include "kit/images.h"
#include "kit/input.h"
#include "kit/panels.h"
#include "test_support.h"

namespace {

// Each panel cell pixel says where it came from: red = 10 + 20 style + cell,
// green = column within the cell, blue = row within the cell.
Uint32 CellPixel(int style, int cell, int x, int y) {
  return (Uint32(10 + 20 * style + cell) << 16) | (x << 8) | y;
}

void InstallTestButtonImage() {
  static SDL_Surface* image = nullptr;
  if (image == nullptr) {
    image = MakeImage(189, 42, 0, 0, 0);
    for (int s = 0; s < 2; ++s)
      for (int c = 0; c < 9; ++c)
        for (int x = 0; x < 21; ++x)
          for (int y = 0; y < 21; ++y) SetImagePixel(image, 21 * c + x, 21 * s + y, 10 + 20 * s + c, x, y);
    for (int s = 0; s < 2; ++s)
      for (int c = 0; c < 9; ++c) PanelCells[s][c] = MakeRect(21 * c, 21 * s, 21, 21);
  }
  ButtonImage = image;
}

class PanelTest : public testing::Test {
 protected:
  void SetUp() override {
    OpenTestScreen();
    InstallTestButtonImage();
    FillScreen(0, 0, 0);
    ResetInput();
  }
  void TearDown() override {
    ButtonImage = nullptr;
    CursorImage = nullptr;
  }
};

TEST_F(PanelTest, WidePanelTilesFullCellsThenLeftAndTopParts) {
  DrawPanel(Box{20, 210, 600, 10}, PanelStyle::Normal);  // 28 full cells and a 12-column piece across
  EXPECT_EQ(ScreenPixel(0, 189), CellPixel(0, 0, 1, 0));       // top-left corner
  EXPECT_EQ(ScreenPixel(20, 189), CellPixel(0, 6, 0, 0));      // top edge, first cell
  EXPECT_EQ(ScreenPixel(607, 200), CellPixel(0, 6, 20, 11));   // 28th cell ends at 607
  EXPECT_EQ(ScreenPixel(608, 189), CellPixel(0, 6, 0, 0));     // the piece starts again
  EXPECT_EQ(ScreenPixel(619, 209), CellPixel(0, 6, 11, 20));   // ...12 columns wide
  EXPECT_EQ(ScreenPixel(620, 189), CellPixel(0, 2, 0, 0));     // top-right corner
  EXPECT_EQ(ScreenPixel(5, 219), CellPixel(0, 7, 6, 9));       // left edge: top 10 rows only
  EXPECT_EQ(ScreenPixel(630, 210), CellPixel(0, 5, 10, 0));    // right edge
  EXPECT_EQ(ScreenPixel(20, 210), CellPixel(0, 8, 0, 0));      // fill
  EXPECT_EQ(ScreenPixel(619, 219), CellPixel(0, 8, 11, 9));    // fill corner piece
  EXPECT_EQ(ScreenPixel(300, 220), CellPixel(0, 4, 7, 0));     // bottom edge
  EXPECT_EQ(ScreenPixel(0, 240), CellPixel(0, 1, 1, 20));      // bottom-left corner
  EXPECT_EQ(ScreenPixel(639, 240), CellPixel(0, 3, 19, 20));
  EXPECT_EQ(ScreenPixel(300, 241), 0u);                        // nothing below the border
}

TEST_F(PanelTest, TallPanelRepeatsSideCellsDownwards) {
  DrawPanel(Box{100, 100, 30, 50}, PanelStyle::Highlighted);  // 2 full rows and an 8-row piece
  EXPECT_EQ(ScreenPixel(79, 121), CellPixel(1, 7, 0, 0));
  EXPECT_EQ(ScreenPixel(79, 149), CellPixel(1, 7, 0, 7));
  EXPECT_EQ(ScreenPixel(130, 142), CellPixel(1, 5, 0, 0));
  EXPECT_EQ(ScreenPixel(121, 149), CellPixel(1, 8, 0, 7));
  EXPECT_EQ(ScreenPixel(129, 120), CellPixel(1, 8, 8, 20));
  EXPECT_EQ(ScreenPixel(100, 150), CellPixel(1, 4, 0, 0));
}

TEST_F(PanelTest, HoverAreaIsTheInteriorGrownByThirteenStrictly) {
  // "Play": interior x 20..620, y 210..220.
  struct Probe { int x, y; bool hovered; };
  const Probe probes[] = {{6, 215, false}, {7, 215, true}, {633, 215, false}, {632, 215, true},
                          {300, 196, false}, {300, 197, true}, {300, 233, false}, {300, 232, true}};
  for (const Probe& p : probes) {
    ResetInput(p.x, p.y);
    MouseButtons[1] = KeyState::Pressed;
    EXPECT_EQ(Button(Centred(320, 215, 600, 10), "Play"), p.hovered) << p.x << "," << p.y;
    EXPECT_EQ(ScreenPixel(20, 210) >> 16, p.hovered ? 10u + 20 + 8 : 10u + 8) << p.x << "," << p.y;
  }
}

TEST_F(PanelTest, OnlyThePressFrameClicksAnActiveButton) {
  ResetInput(550, 435);
  MouseButtons[1] = KeyState::Held;  // held down and moved onto the button
  EXPECT_FALSE(BackButton());
  MouseButtons[1] = KeyState::Pressed;
  EXPECT_TRUE(BackButton());
  MouseButtons[1] = KeyState::Up;
  EXPECT_FALSE(BackButton());
  MouseButtons[3] = KeyState::Pressed;  // the right button does not click
  EXPECT_FALSE(BackButton());
}

TEST_F(PanelTest, InactiveBoxNeverReactsAndOverlappingButtonsBothClick) {
  ResetInput(320, 135);
  MouseButtons[1] = KeyState::Pressed;
  InfoBox(Centred(320, 135, 300, 10), "115 BPM");
  EXPECT_EQ(ScreenPixel(170, 130) >> 16, 10u + 8);  // drawn Normal
  EXPECT_TRUE(Button(Centred(320, 135, 300, 10), ""));
  EXPECT_TRUE(Button(Centred(330, 140, 300, 10), ""));
}

TEST_F(PanelTest, LabelIsCentredOnTheInterior) {
  static SDL_Surface* font = nullptr;
  if (font == nullptr) {
    font = MakeImage(1425, 21, 0, 0, 0, 0);
    for (int n = 0; n < 95; ++n) SetImagePixel(font, 15 * n, 0, 200, n, 1);  // one dot per glyph
    for (int i = 0; i < 95; ++i) GlyphRects[i] = MakeRect(15 * i, 0, 15, 21);
  }
  FontImage = font;
  ButtonImage = nullptr;
  Button(Centred(320, 215, 600, 10), "Play");  // label from (298, 205)
  EXPECT_EQ(ScreenPixel(298, 205), (200u << 16) | (GlyphIndex('P') << 8) | 1);
  EXPECT_EQ(ScreenPixel(331, 205), (200u << 16) | (GlyphIndex('y') << 8) | 1);
  BackButton();  // label from (528, 425)
  EXPECT_EQ(ScreenPixel(528, 425), (200u << 16) | (GlyphIndex('B') << 8) | 1);
  FontImage = nullptr;
}

TEST_F(PanelTest, CursorFrameThreeIsCentredOnThePointer) {
  SDL_Surface* cursor = MakeImage(1536, 96, 9, 9, 9);
  SDL_Rect frame3 = MakeRect(288, 0, 96, 96);
  SDL_FillRect(cursor, &frame3, SDL_MapRGBA(cursor->format, 250, 0, 0, 255));
  for (int i = 0; i < 16; ++i) CursorFrames[i] = MakeRect(96 * i, 0, 96, 96);
  CursorImage = cursor;
  ResetInput(0, 0);
  DrawCursor();
  EXPECT_EQ(ScreenPixel(0, 0), 0xFA0000u);
  EXPECT_EQ(ScreenPixel(47, 47), 0xFA0000u);
  EXPECT_EQ(ScreenPixel(48, 48), 0u);
  ResetInput(320, 240);
  DrawCursor();
  EXPECT_EQ(ScreenPixel(272, 192), 0xFA0000u);
  EXPECT_EQ(ScreenPixel(271, 192), 0u);
  SDL_FreeSurface(cursor);
}

TEST_F(PanelTest, MissingImagesDrawNothingButButtonsStillWork) {
  ButtonImage = nullptr;
  FontImage = nullptr;
  ResetInput(320, 215);
  MouseButtons[1] = KeyState::Pressed;
  EXPECT_TRUE(Button(Centred(320, 215, 600, 10), "Play"));
  DrawCursor();
  EXPECT_EQ(ScreenPixel(320, 215), 0u);
}

}  // namespace
