// The window at a scale: frames magnified exactly, the plain window untouched.
#include <gtest/gtest.h>

#include "kit/images.h"
#include "kit/window.h"
#include "test_support.h"

namespace {

Uint32 Raw(SDL_Surface* s, int x, int y) {
  return *reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(s->pixels) + s->pitch * y + 4 * x);
}

// A frame in which every pixel differs from its neighbours.
void PaintNoise(SDL_Surface* frame) {
  unsigned seed = 77;
  for (int y = 0; y < WindowHeight; ++y)
    for (int x = 0; x < WindowWidth; ++x) {
      seed = seed * 1103515245u + 12345u;
      SetImagePixel(frame, x, y, seed >> 24, seed >> 16, seed >> 8);
    }
}

// Every window pixel inside the frame is the game pixel it covers; the border is left as it was.
void ExpectMagnified(SDL_Surface* frame, SDL_Surface* window, int scale, int left, int top, Uint32 border) {
  int wrong = 0;
  for (int y = 0; y < window->h; ++y)
    for (int x = 0; x < window->w; ++x) {
      bool inside = x >= left && y >= top && x < left + WindowWidth * scale && y < top + WindowHeight * scale;
      Uint32 expected = inside ? Raw(frame, (x - left) / scale, (y - top) / scale) : border;
      wrong += Raw(window, x, y) != expected;
    }
  EXPECT_EQ(wrong, 0) << "scale " << scale;
}

TEST(WindowTest, AFrameIsMagnifiedIntoExactBlocks) {
  SDL_Surface* frame = MakeImage(WindowWidth, WindowHeight, 0, 0, 0);
  PaintNoise(frame);
  for (int scale : {2, 3}) {
    int left = scale == 3 ? 21 : 0, top = scale == 3 ? 9 : 0;
    SDL_Surface* window = MakeImage(WindowWidth * scale + 2 * left, WindowHeight * scale + 2 * top, 1, 2, 3);
    Uint32 border = Raw(window, 0, 0);
    MagnifyFrame(frame, window, scale, left, top);
    ExpectMagnified(frame, window, scale, left, top, border);
    SDL_FreeSurface(window);
  }
  SDL_FreeSurface(frame);
}

TEST(WindowTest, ScaleTwoDrawsOnAFrameOfItsOwnAndScaleOneOnTheWindow) {
  OpenTestScreen();
  ASSERT_TRUE(OpenWindow(2, false));
  EXPECT_EQ(WindowSurface->w, 1280);
  EXPECT_EQ(WindowSurface->h, 960);
  EXPECT_EQ(ScreenSurface->w, WindowWidth);
  EXPECT_NE(ScreenSurface, WindowSurface);
  PaintNoise(ScreenSurface);
  PresentFrame();
  ExpectMagnified(ScreenSurface, WindowSurface, 2, 0, 0, 0);

  // no settings: the window is the game's surface, no copy
  ASSERT_TRUE(OpenWindow(1, false));
  EXPECT_EQ(ScreenSurface, WindowSurface);
  EXPECT_EQ(ScreenSurface, SDL_GetVideoSurface());
  EXPECT_EQ(ScreenSurface->w, WindowWidth);
  EXPECT_EQ(ScreenSurface->format->BitsPerPixel, 32);
  EXPECT_EQ(FrameScale, 1);
}

}  // namespace
