// The pause overlay: the Escape toggle, the freeze, blur, lighten and blend, pixel by pixel.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "kit/clock.h"
#include "kit/images.h"
#include "kit/input.h"
#include "kit/pause.h"
#include "kit/pause_pixels.h"
#include "test_support.h"

namespace {

class PauseTest : public testing::Test {
 protected:
  void SetUp() override {
    OpenTestScreen();
    if (SnapshotImage == nullptr) SnapshotImage = SDL_DisplayFormat(ScreenSurface);
    if (BlurImage == nullptr) BlurImage = SDL_DisplayFormat(ScreenSurface);
    ResetInput();
    FillScreen(0, 0, 0);
  }
  void TearDown() override {
    PauseWanted = false;
    PauseLevel = 0.0;
    ResetInput();
  }
};

// The blur and lighten written out pixel by pixel on ints, as plainly as possible.
using Plane = std::vector<int>;
int At(int x, int y, int c) { return (y * 640 + x) * 3 + c; }
void ReferencePass(const Plane& from, Plane& to, int k, int bias) {
  for (int y = k; y <= 479 - k; ++y)
    for (int x = k; x <= 639 - k; ++x)
      for (int c = 0; c < 3; ++c)
        to[At(x, y, c)] = (from[At(x - k, y, c)] + from[At(x + k, y, c)] + from[At(x, y - k, c)] +
                           from[At(x, y + k, c)] + bias) / 4;
}
Plane ReferenceFreeze(Plane w, bool lighten) {
  Plane s = w;
  ReferencePass(w, s, 3, 0);
  ReferencePass(s, w, 3, 1);
  for (int k : {1, 1}) ReferencePass(w, s, k, 0), ReferencePass(s, w, k, 0);
  if (lighten)
    for (int& v : w) v = std::min(255, std::max(0, std::min(255, v + 50) - 100) + 100);
  return w;
}
int Mismatches(const Plane& expected) {
  const uint8_t* work = reinterpret_cast<const uint8_t*>(WorkImage);
  int count = 0;
  for (size_t i = 0; i < expected.size(); ++i) count += work[i] != expected[i];
  return count;
}

void SetScreenPixel(int x, int y, Uint8 r, Uint8 g, Uint8 b, Plane& plane) {
  SDL_Rect one = MakeRect(x, y, 1, 1);
  SDL_FillRect(ScreenSurface, &one, SDL_MapRGB(ScreenSurface->format, r, g, b));
  plane[At(x, y, 0)] = r, plane[At(x, y, 1)] = g, plane[At(x, y, 2)] = b;
}

Uint32 SurfacePixel(SDL_Surface* s, int x, int y) {
  std::swap(s, ScreenSurface);
  Uint32 colour = ScreenPixel(x, y);
  std::swap(s, ScreenSurface);
  return colour;
}

void PressEscapeAndDraw() {
  KeyStates[SDLK_ESCAPE] = KeyState::Pressed;
  UpdatePause();
  KeyStates[SDLK_ESCAPE] = KeyState::Up;
}

TEST_F(PauseTest, FreezeTurnsBlackGreyAndKeepsWhite) {
  FreezeScreen();
  EXPECT_EQ(Mismatches(Plane(640 * 480 * 3, 100)), 0);
  EXPECT_EQ(SurfacePixel(BlurImage, 639, 479), 0x646464u);
  FillScreen(255, 255, 255);
  FreezeScreen();
  EXPECT_EQ(SurfacePixel(BlurImage, 320, 240), 0xFFFFFFu);
  EXPECT_EQ(SurfacePixel(SnapshotImage, 320, 240), 0xFFFFFFu);
  EXPECT_EQ(ScratchImage[479][639][2], 255);
}

TEST_F(PauseTest, BlurAndFreezeFollowTheReference) {
  Plane one(640 * 480 * 3, 0);
  one[At(100, 100, 0)] = 255;  // a single bright pixel, before lightening
  std::memset(WorkImage, 0, sizeof(RgbImage));
  WorkImage[100][100][0] = 255;
  std::memcpy(ScratchImage, WorkImage, sizeof(RgbImage));
  BlurWorkImage();
  EXPECT_EQ(Mismatches(ReferenceFreeze(one, false)), 0);
  int spread = 0;  // the passes move values 3, 3, 1, 1, 1, 1 pixels: 10 at most
  for (int y = 0; y < 480; ++y)
    for (int x = 0; x < 640; ++x)
      if (WorkImage[y][x][0] > 0) {
        ++spread;
        EXPECT_LE(std::abs(x - 100) + std::abs(y - 100), 10);
      }
  EXPECT_GT(spread, 20);

  Plane screen(640 * 480 * 3, 0);
  SetScreenPixel(0, 5, 30, 120, 250, screen);  // outermost column and row
  SetScreenPixel(7, 479, 60, 0, 210, screen);
  unsigned seed = 7;  // a noisy corner, to catch any rounding slip
  for (int y = 1; y < 13; ++y)
    for (int x = 1; x < 13; ++x, seed = seed * 1103515245 + 12345)
      SetScreenPixel(x, y, seed >> 24, seed >> 16, seed >> 8, screen);
  FreezeScreen();
  EXPECT_EQ(Mismatches(ReferenceFreeze(screen, true)), 0);
  EXPECT_EQ(SurfacePixel(BlurImage, 0, 5), 0x64AAFFu);  // frozen colours, lightened
  EXPECT_EQ(SurfacePixel(BlurImage, 7, 479), 0x6E64FFu);
  EXPECT_EQ(ScratchImage[5][0][2], 250);  // the snapshot as it was
}

TEST_F(PauseTest, LevelTakes39FramesEachWay) {
  const double up[] = {7.17, 13.86, 20.1}, down[] = {92.83, 86.14, 79.9};
  double t = 0, u = 100;
  for (int frame = 1; frame <= 39; ++frame) {
    t = NextPauseLevel(t, true);
    u = NextPauseLevel(u, false);
    if (frame <= 3) {
      EXPECT_NEAR(t, up[frame - 1], 0.005);
      EXPECT_NEAR(u, down[frame - 1], 0.005);
    }
    EXPECT_EQ(t == 100.0 && u == 0.0, frame == 39) << frame;
  }
}

TEST_F(PauseTest, BlendTruncatesTheLevelAndOnlyExactly100Blits) {
  std::memset(WorkImage, 200, sizeof(RgbImage));
  std::memset(ScratchImage, 0, sizeof(RgbImage));
  WorkImage[3][4][1] = 7, ScratchImage[3][4][1] = 255;
  SDL_FillRect(BlurImage, nullptr, SDL_MapRGB(BlurImage->format, 10, 20, 30));
  PauseWanted = true;
  PauseLevel = 99.7;
  UpdatePause();
  EXPECT_EQ(ScreenPixel(0, 0), 0xC6C6C6u);  // a = 99: 200 x 99 / 100
  EXPECT_EQ(ScreenPixel(4, 3), 0xC609C6u);  // (7 x 99 + 255) / 100 = 9
  EXPECT_EQ(PauseLevel, 100.0);
  UpdatePause();
  EXPECT_EQ(ScreenPixel(4, 3), 0x0A141Eu);
}

TEST_F(PauseTest, EscapeClosesAndReopensWithoutRefreezing) {
  PressEscapeAndDraw();
  EXPECT_TRUE(PauseWanted);
  EXPECT_EQ(ScreenPixel(320, 240), 0u);  // drawn at level 0: nothing yet
  for (int i = 0; i < 3; ++i) UpdatePause();
  double reached = PauseLevel;
  PressEscapeAndDraw();
  EXPECT_FALSE(PauseWanted);
  EXPECT_DOUBLE_EQ(PauseLevel, NextPauseLevel(reached, false));
  UpdatePause();
  FillScreen(255, 255, 255);  // a second freeze would catch this
  PressEscapeAndDraw();
  EXPECT_TRUE(PauseWanted);
  EXPECT_EQ(WorkImage[240][320][0], 100);
  EXPECT_EQ(ScratchImage[240][320][0], 0);
  Uint32 grey = ScreenPixel(320, 240);
  EXPECT_TRUE(grey > 0 && grey < 0x646464u) << grey;
}

TEST(GameClock, StandsStillWhilePausedAndStepsOnByTheTimeSinceTheLastStep) {
  GameClockMs = 1000;
  LastTicks = SDL_GetTicks() - 5000;
  for (int i = 0; i < 3; ++i) AdvanceGameClock(true);
  EXPECT_EQ(GameClockMs, 1000);
  LastTicks -= 700;  // the previous frame was 700 ms ago
  uint32_t before = LastTicks;
  AdvanceGameClock(false);
  EXPECT_EQ(GameClockMs, 1000 + static_cast<int32_t>(LastTicks - before));
  EXPECT_GE(GameClockMs, 1700);
}

TEST_F(PauseTest, PixelsOfEveryDepthAndLockedSurfaces) {
  SDL_Surface* s16 = SDL_CreateRGBSurface(0, 640, 480, 16, 0xF800, 0x7E0, 0x1F, 0);
  SDL_Surface* s24 = SDL_CreateRGBSurface(0, 640, 480, 24, 0xFF, 0xFF00, 0xFF0000, 0);
  SDL_Surface* s8 = SDL_CreateRGBSurface(0, 640, 480, 8, 0, 0, 0, 0);
  SDL_Color colours[256];  // 3 bits red, 3 green, 2 blue
  for (int i = 0; i < 256; ++i) colours[i] = {Uint8(i & 0xE0), Uint8(i << 3 & 0xE0), Uint8(i << 6), 0};
  SDL_SetColors(s8, colours, 0, 256);
  SDL_Surface* s32 = MakeImage(640, 480, 0, 0, 0);  // with an alpha channel
  for (SDL_Surface* s : {s16, s24, s8, s32}) {
    for (int x = 0; x < 640; ++x) WorkImage[9][x][0] = x, WorkImage[9][x][1] = 3 * x, WorkImage[9][x][2] = 7 * x;
    WriteSurfaceRgb(WorkImage, s);
    ReadSurfaceRgb(s, ScratchImage);
    for (int x = 0; x < 640; x += 37) {
      Uint8 c[3];
      SDL_GetRGB(SDL_MapRGB(s->format, x, 3 * x, 7 * x), s->format, &c[0], &c[1], &c[2]);
      EXPECT_EQ(std::memcmp(ScratchImage[9][x], c, 3), 0) << int(s->format->BitsPerPixel) << " " << x;
    }
  }
  EXPECT_EQ(*static_cast<Uint32*>(s32->pixels) >> 24, 0xFFu);  // opaque
  std::memset(WorkImage, 200, sizeof(RgbImage));
  std::memset(ScratchImage, 100, sizeof(RgbImage));
  BlendIntoSurface(s16, 50);  // 150 in each channel, packed by loss and shift
  EXPECT_EQ(*static_cast<Uint16*>(s16->pixels), (150 >> 3 << 11) | (150 >> 2 << 5) | (150 >> 3));
  BlendIntoSurface(s8, 50);
  EXPECT_EQ(*static_cast<Uint8*>(s8->pixels), SDL_MapRGB(s8->format, 150, 150, 150));
  // A run-length encoded surface only takes new pixels through a lock.
  SDL_Surface* rle = SDL_CreateRGBSurface(0, 640, 480, 32, 0xFF0000, 0xFF00, 0xFF, 0);
  SDL_SetColorKey(rle, SDL_SRCCOLORKEY | SDL_RLEACCEL, SDL_MapRGB(rle->format, 1, 2, 3));
  SDL_BlitSurface(rle, nullptr, ScreenSurface, nullptr);
  ASSERT_TRUE(SDL_MUSTLOCK(rle));
  WriteSurfaceRgb(WorkImage, rle);
  SDL_BlitSurface(rle, nullptr, ScreenSurface, nullptr);
  EXPECT_EQ(ScreenPixel(5, 5), 0xC8C8C8u);
  for (SDL_Surface* s : {s16, s24, s8, s32, rle}) SDL_FreeSurface(s);
}

}  // namespace
