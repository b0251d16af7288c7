// The bitmap font: glyph numbers and the pixels of drawn text.
#include <gtest/gtest.h>

#include "kit/font.h"
#include "kit/images.h"
#include "test_support.h"

namespace {

// Every glyph cell is opaque, red = glyph number + 1 and green = column within the cell.
void InstallTestFont() {
  static SDL_Surface* font = nullptr;
  if (font == nullptr) {
    font = MakeImage(1425, 21, 0, 0, 0);
    for (int n = 0; n < 95; ++n)
      for (int x = 0; x < 15; ++x)
        for (int y = 0; y < 21; ++y) SetImagePixel(font, 15 * n + x, y, n + 1, x * 10, 50);
    for (int i = 0; i < 95; ++i) GlyphRects[i] = MakeRect(15 * i, 0, 15, 21);
  }
  FontImage = font;
}

Uint32 Glyph(char c, int column) { return ((GlyphIndex(c) + 1) << 16) | ((column * 10) << 8) | 50; }

class DrawTextTest : public testing::Test {
 protected:
  void SetUp() override {
    OpenTestScreen();
    InstallTestFont();
    FillScreen(0, 0, 0);
  }
  void TearDown() override { FontImage = nullptr; }
};


TEST_F(DrawTextTest, LeftTextAdvancesElevenPixelsWithOverlap) {
  DrawText(100, 50, "AB", TextAlign::Left);
  EXPECT_EQ(ScreenPixel(100, 50), Glyph('A', 0));
  EXPECT_EQ(ScreenPixel(110, 60), Glyph('A', 10));
  EXPECT_EQ(ScreenPixel(111, 50), Glyph('B', 0));  // B covers A's last 4 columns
  EXPECT_EQ(ScreenPixel(125, 70), Glyph('B', 14));
  EXPECT_EQ(ScreenPixel(126, 50), 0u);
  EXPECT_EQ(ScreenPixel(100, 71), 0u);
}

TEST_F(DrawTextTest, CentreAndRightUseTruncatingWidths) {
  DrawText(200, 100, "abc", TextAlign::Centre);  // 33 pixels wide: starts at 200 - 16
  EXPECT_EQ(ScreenPixel(183, 100), 0u);
  EXPECT_EQ(ScreenPixel(184, 100), Glyph('a', 0));
  DrawText(620, 200, "xy", TextAlign::Right);
  EXPECT_EQ(ScreenPixel(598, 200), Glyph('x', 0));
  EXPECT_EQ(ScreenPixel(609, 200), Glyph('y', 0));
}

TEST_F(DrawTextTest, UnprintableBytesDrawTheBlankAndStillAdvance) {
  DrawText(10, 10, "\tZ\xE9\x7F", TextAlign::Left);  // a byte above 127 is a negative char
  EXPECT_EQ(ScreenPixel(10, 10), Glyph(' ', 0));
  EXPECT_EQ(ScreenPixel(21, 10), Glyph('Z', 0));
  EXPECT_EQ(ScreenPixel(32, 10), Glyph(' ', 0));
  EXPECT_EQ(ScreenPixel(43, 10), Glyph(' ', 0));
  FillScreen(0, 0, 0);
  DrawText(10, 10, "", TextAlign::Left);
  EXPECT_EQ(ScreenPixel(10, 10), 0u);
  DrawText(-5, 470, std::string(2000, 'W'), TextAlign::Left);  // clipped by the window, no crash
  EXPECT_EQ(ScreenPixel(0, 479), Glyph('W', 5));
}

}  // namespace
