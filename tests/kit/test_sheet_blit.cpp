// The run-by-run sheet blit against SDL's own blit: the play sheets cell by
// cell at clipped, outside and random positions, every alpha over varied
// colours, other screen formats, and sheets it must leave to SDL.
#include <SDL_image.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "kit/images.h"
#include "kit/sheet_blit.h"
#include "test_support.h"

namespace {

using Bytes = std::vector<Uint8>;

struct Spot {
  int x, y;
};

// The screen's pixel bytes row by row (without row padding), read or written.
void CopyScreen(Bytes& bytes, bool write) {
  SDL_Surface* s = ScreenSurface;
  size_t row = static_cast<size_t>(s->w) * s->format->BytesPerPixel;
  bytes.resize(row * s->h);
  SDL_LockSurface(s);
  for (int y = 0; y < s->h; ++y) {
    Uint8* line = static_cast<Uint8*>(s->pixels) + static_cast<size_t>(y) * s->pitch;
    write ? std::memcpy(line, &bytes[row * y], row) : std::memcpy(&bytes[row * y], line, row);
  }
  SDL_UnlockSurface(s);
}

// Random bytes for every pixel, the unused top byte included.
Bytes NoiseBackdrop(unsigned seed) {
  std::mt19937 random(seed);
  Bytes bytes;
  CopyScreen(bytes, false);
  for (Uint8& b : bytes) b = static_cast<Uint8>(random());
  return bytes;
}

// The game's own backdrop, as the dispatcher blits it under the play screen.
Bytes GameBackdrop() {
  SDL_Surface* backdrop = LoadKeyedImage(std::string(ZEDOV_SOURCE_DIR) + "/Media/Game/background.png");
  EXPECT_NE(backdrop, nullptr);
  FillScreen(0, 0, 0);
  SDL_BlitSurface(backdrop, nullptr, ScreenSurface, nullptr);
  SDL_FreeSurface(backdrop);
  Bytes bytes;
  CopyScreen(bytes, false);
  return bytes;
}

// Draws with SDL_UpperBlit (through DrawImage) and with ours over the same
// backdrop; the screens must match byte for byte.
testing::AssertionResult SameAsSdl(const SheetRuns& runs, SDL_Surface* sheet, const SDL_Rect* part, int x, int y,
                                   const Bytes& backdrop) {
  static Bytes expected, got;  // kept: fresh screen-sized buffers each time cost more than the blits
  got = backdrop;
  CopyScreen(got, true);
  DrawImage(sheet, part, x, y);
  CopyScreen(expected, false);
  CopyScreen(got, true);
  DrawSheetPart(runs, sheet, part, x, y);
  CopyScreen(got, false);
  if (got == expected) return testing::AssertionSuccess();
  size_t at = std::mismatch(got.begin(), got.end(), expected.begin()).first - got.begin();
  size_t pixel = at / ScreenSurface->format->BytesPerPixel;
  testing::AssertionResult failure = testing::AssertionFailure();
  if (part != nullptr) failure << "part (" << part->x << ", " << part->y << ", " << part->w << ", " << part->h << ") ";
  return failure << "at (" << x << ", " << y << "): first difference at screen pixel (" << pixel % ScreenSurface->w
                 << ", " << pixel / ScreenSurface->w << "): SDL " << int(expected[at]) << ", ours "
                 << int(got[at]);
}

// Positions that cut a w x h part at each window edge and corner, leave one
// pixel on, lie just or far outside, and some random ones.
std::vector<Spot> TestPositions(int w, int h, std::mt19937& random) {
  std::vector<Spot> at = {{-w / 2, 200}, {640 - w / 2, 200}, {300, -h / 2}, {300, 480 - h / 2}, {-w / 2, -h / 2},
                          {637 - w / 2, 477 - h / 2}, {-w / 3, 480 - h / 3}, {640 - w / 3, -h / 3}, {-w + 1, 100},
                          {639, 100}, {100, -h + 1}, {100, 479}, {-w, 100}, {640, 100}, {100, -h}, {100, 480},
                          {641, 481}, {-8192, 0}, {-8193, 0}, {0, -9000}, {70000, 10}, {10, 70000}, {-70000, 5},
                          {INT_MIN, 100}, {50, INT_MIN}, {INT_MAX, INT_MAX}};
  std::uniform_int_distribution<int> xs(-100, 700), ys(-100, 560);
  for (int i = 0; i < 6; ++i) at.push_back({xs(random), ys(random)});
  return at;
}

// A sheet loaded as the game loads it, in the screen's format with its alpha;
// run-length coded like the hold and rating copies when asked.
SDL_Surface* LoadSheet(const char* name, bool runLengths) {
  SDL_Surface* loaded = IMG_Load((std::string(ZEDOV_SOURCE_DIR) + "/Media/Game/" + name).c_str());
  if (loaded == nullptr) return nullptr;
  SDL_Surface* copy = SDL_DisplayFormatAlpha(loaded);
  SDL_FreeSurface(loaded);
  if (copy != nullptr && runLengths) SDL_SetAlpha(copy, SDL_SRCALPHA | SDL_RLEACCEL, SDL_ALPHA_OPAQUE);
  return copy;
}

// The cells the play screen draws from each sheet (game/media.cpp) and the
// hold strip's partial body pieces.
std::vector<SDL_Rect> PlayParts(const std::string& name) {
  std::vector<SDL_Rect> parts;
  for (int i = 0; i < 16 && name == "arrows.png"; ++i) parts.push_back(MakeRect(70 * (i % 4), 70 * (i / 4), 70, 70));
  for (int i = 0; i < 3 && name == "ratings.png"; ++i) parts.push_back(MakeRect(0, 50 * i, 125, 50));
  for (int i = 0; i < 3 && name == "hold.png"; ++i) parts.push_back(MakeRect(50 * i, 0, 50, 35));
  for (int rest = 1; rest <= 35 && name == "hold.png"; rest += 3) parts.push_back(MakeRect(50, 0, 50, rest));
  return parts;
}

class SheetBlitTest : public testing::Test {
 protected:
  void SetUp() override { OpenTestScreen(); }
  void TearDown() override { SDL_SetClipRect(ScreenSurface, nullptr); }
};

// Every play cell and the whole sheets, plain and run-length coded, over noise and the game's backdrop.
TEST_F(SheetBlitTest, PlaySheetsMatchSdlCellByCell) {
  std::mt19937 random(2024);
  Bytes backdrops[2] = {NoiseBackdrop(7), GameBackdrop()};
  for (const char* name : {"arrows.png", "ratings.png", "hold.png"})
    for (bool runLengths : {false, true}) {
      SCOPED_TRACE(std::string(name) + (runLengths ? " run-length coded" : " plain"));
      SDL_Surface* sheet = LoadSheet(name, runLengths);
      ASSERT_NE(sheet, nullptr);
      DrawImage(sheet, nullptr, 0, 0);  // as in the game, SDL has coded it before we look
      EXPECT_EQ((sheet->flags & SDL_RLEACCEL) != 0, runLengths);
      SheetRuns runs;
      ASSERT_TRUE(PrepareSheet(runs, sheet));
      int n = 0;
      for (const SDL_Rect& part : PlayParts(name))
        for (Spot p : TestPositions(part.w, part.h, random))
          EXPECT_TRUE(SameAsSdl(runs, sheet, &part, p.x, p.y, backdrops[n++ % 2]));
      for (Spot p : TestPositions(sheet->w, sheet->h, random))
        EXPECT_TRUE(SameAsSdl(runs, sheet, nullptr, p.x, p.y, backdrops[n++ % 2]));
      SDL_FreeSurface(sheet);
    }
}

// Any rectangle, even one reaching past the sheet's edges, is cut as SDL cuts
// it, and a clip rectangle smaller than the window is honoured at all four edges.
TEST_F(SheetBlitTest, ArbitraryPartsAndClipRectangleMatchSdl) {
  std::mt19937 random(99);
  Bytes backdrop = NoiseBackdrop(3);
  SDL_Surface* sheet = LoadSheet("arrows.png", false);
  ASSERT_NE(sheet, nullptr);
  SheetRuns runs;
  ASSERT_TRUE(PrepareSheet(runs, sheet));
  std::uniform_int_distribution<int> corner(-40, 300), size(0, 320), xs(-300, 700), ys(-300, 520);
  SDL_Rect clip = MakeRect(37, 23, 301, 207);
  for (int i = 0; i < 300; ++i) {
    if (i == 150) SDL_SetClipRect(ScreenSurface, &clip);
    SDL_Rect part = MakeRect(corner(random), corner(random), size(random), size(random));
    EXPECT_TRUE(SameAsSdl(runs, sheet, &part, xs(random), ys(random), backdrop));
  }
  SDL_FreeSurface(sheet);
}

// Every alpha 0..255 over varied colours and backdrops, in soft runs of every
// length from 1 to 9, so that both one pixel and several at once are pinned.
SDL_Surface* EveryAlphaSheet(bool runLengths) {
  std::mt19937 random(42);
  SDL_Surface* made = MakeImage(256, 64, 0, 0, 0);
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 256; ++x) {
      int alpha = (x * 7 + y * 13) & 255;
      if (y < 2) alpha = y == 0 ? x : 255 - x;                  // every alpha in order, rising and falling
      if (x % (y % 9 + 2) == 0 && y >= 2) alpha = (y % 2) * 255;  // ends the soft run
      SetImagePixel(made, x, y, random(), random(), random(), alpha);
    }
  SDL_Surface* copy = SDL_DisplayFormatAlpha(made);
  SDL_FreeSurface(made);
  if (runLengths) SDL_SetAlpha(copy, SDL_SRCALPHA | SDL_RLEACCEL, SDL_ALPHA_OPAQUE);
  return copy;
}

TEST_F(SheetBlitTest, EveryAlphaRoundsAsSdlDoes) {
  for (bool runLengths : {false, true}) {
    SCOPED_TRACE(runLengths ? "run-length coded" : "plain");
    SDL_Surface* sheet = EveryAlphaSheet(runLengths);
    SheetRuns runs;
    ASSERT_TRUE(PrepareSheet(runs, sheet));
    for (int seed = 0; seed < 6; ++seed) {
      Bytes backdrop = NoiseBackdrop(100 + seed);
      EXPECT_TRUE(SameAsSdl(runs, sheet, nullptr, 5 + 97 * seed, 7 + 61 * seed, backdrop));
      SDL_Rect part = MakeRect(seed, seed, 250 - seed, 60);
      EXPECT_TRUE(SameAsSdl(runs, sheet, &part, 3 + 11 * seed, 300, backdrop));
    }
    for (Uint8 level : {0, 255}) {  // and over flat black and white
      FillScreen(level, level, level);
      Bytes flat;
      CopyScreen(flat, false);
      EXPECT_TRUE(SameAsSdl(runs, sheet, nullptr, 0, 0, flat));
    }
    SDL_FreeSurface(sheet);
  }
}

// Clear pixels are skipped; a long solid stretch is copied on its own; soft
// pixels and the short solid bits between them are blended together.
TEST_F(SheetBlitTest, RowsAreCutIntoCopiedAndBlendedRunsSkippingClearPixels) {
  SDL_Surface* made = MakeImage(64, 2, 10, 20, 30, 0);
  struct Paint {
    int from, to, y, alpha;
  };
  for (Paint p : {Paint{1, 3, 0, 255}, {3, 4, 0, 128}, {4, 5, 0, 1}, {6, 7, 0, 254}, {8, 48, 0, 255},
                  {48, 49, 0, 10}, {49, 51, 0, 255}, {55, 57, 0, 255}, {60, 62, 1, 255}})
    for (int x = p.from; x < p.to; ++x) SetImagePixel(made, x, p.y, 1, 2, 3, p.alpha);
  SheetRuns runs;
  ASSERT_TRUE(PrepareSheet(runs, made));
  EXPECT_EQ(runs.sheet, made);
  ASSERT_EQ(runs.rowStarts, (std::vector<int>{0, 5, 6}));
  struct Run {
    int from, to;
    bool blended;
  } expected[] = {{1, 5, true}, {6, 7, true}, {8, 48, false}, {48, 51, true}, {55, 57, false}, {60, 62, false}};
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(runs.runs[i].x, expected[i].from) << i;
    EXPECT_EQ(runs.runs[i].x + runs.runs[i].length, expected[i].to) << i;
    EXPECT_EQ(runs.runs[i].blended, expected[i].blended) << i;
  }
  // A part starting inside the long stretch starts at it; past the last run, at the row's end.
  std::vector<int> firstRuns = {runs.firstRuns[20], runs.firstRuns[47], runs.firstRuns[48], runs.firstRuns[52],
                                runs.firstRuns[57], runs.firstRuns[64 + 61], runs.firstRuns[64 + 62]};
  EXPECT_EQ(firstRuns, (std::vector<int>{2, 2, 3, 4, 5, 0, 1}));
  SDL_FreeSurface(made);
}

// Screens of 8, 16 and 24 bits, a 32-bit one with alpha and one in blue-green-red
// order, each with the screen copy and with the sheet as loaded (red in its low
// byte): our blit where the orders agree, SDL's elsewhere, and the same pixels.
TEST_F(SheetBlitTest, OtherScreenFormatsMatchSdl) {
  struct Format {
    int depth;
    Uint32 r, g, b, a;
  };
  SDL_Surface* saved = ScreenSurface;
  SDL_Surface* sheets[2] = {LoadSheet("arrows.png", false),
                            IMG_Load((std::string(ZEDOV_SOURCE_DIR) + "/Media/Game/arrows.png").c_str())};
  SDL_Color cube[256];  // 8 reds x 8 greens x 4 blues for the 8-bit screen
  for (int i = 0; i < 256; ++i)
    cube[i] = SDL_Color{Uint8((i >> 5) * 36), Uint8(((i >> 2) & 7) * 36), Uint8((i & 3) * 85), 0};
  for (Format f : {Format{8, 0, 0, 0, 0}, {16, 0xF800, 0x7E0, 0x1F, 0}, {24, 0xFF0000, 0xFF00, 0xFF, 0},
                   {32, 0xFF0000, 0xFF00, 0xFF, 0xFF000000}, {32, 0xFF, 0xFF00, 0xFF0000, 0}}) {
    SCOPED_TRACE("screen of " + std::to_string(f.depth) + " bits, red mask " + std::to_string(f.r));
    ScreenSurface = SDL_CreateRGBSurface(SDL_SWSURFACE, 640, 480, f.depth, f.r, f.g, f.b, f.a);
    if (f.depth == 8) SDL_SetColors(ScreenSurface, cube, 0, 256);
    Bytes backdrop = NoiseBackdrop(static_cast<unsigned>(f.depth));
    for (SDL_Surface* sheet : sheets) {
      SheetRuns runs;
      EXPECT_TRUE(PrepareSheet(runs, sheet));  // not ASSERT: the real screen must come back
      SDL_Rect cell = MakeRect(140, 210, 70, 70);
      for (Spot p : std::vector<Spot>{{100, 100}, {-20, 440}, {600, -30}, {333, 201}})
        EXPECT_TRUE(SameAsSdl(runs, sheet, &cell, p.x, p.y, backdrop));
    }
    SDL_FreeSurface(ScreenSurface);
  }
  ScreenSurface = saved;
  for (SDL_Surface* sheet : sheets) SDL_FreeSurface(sheet);
}

// Sheets without usable alpha are refused and drawn by SDL, exactly as before,
// and so is a sheet drawn with runs made for another.
TEST_F(SheetBlitTest, SheetsWithoutAlphaOrRunsAreLeftToSdl) {
  SheetRuns runs;
  EXPECT_FALSE(PrepareSheet(runs, nullptr));
  SDL_Surface* withAlpha = LoadSheet("hold.png", false);
  SDL_Surface* noAlpha = SDL_DisplayFormat(withAlpha);
  SDL_Surface* paletted = SDL_CreateRGBSurface(SDL_SWSURFACE, 30, 30, 8, 0, 0, 0, 0);
  SDL_Surface* alphaOff = LoadSheet("hold.png", false);
  SDL_SetAlpha(alphaOff, 0, SDL_ALPHA_OPAQUE);  // SDL then copies the pixels as they are
  SDL_Surface* other = LoadSheet("ratings.png", false);
  Bytes backdrop = NoiseBackdrop(21);
  for (SDL_Surface* sheet : {noAlpha, paletted, alphaOff}) {
    EXPECT_FALSE(PrepareSheet(runs, sheet));
    EXPECT_EQ(runs.sheet, nullptr);
    EXPECT_TRUE(SameAsSdl(runs, sheet, nullptr, 40, -10, backdrop));
  }
  ASSERT_TRUE(PrepareSheet(runs, withAlpha));
  EXPECT_TRUE(SameAsSdl(runs, other, nullptr, 17, 33, backdrop));
  DrawSheetPart(runs, nullptr, nullptr, 0, 0);  // a missing sheet draws nothing
  for (SDL_Surface* sheet : {withAlpha, noAlpha, paletted, alphaOff, other}) SDL_FreeSurface(sheet);
}

}  // namespace
