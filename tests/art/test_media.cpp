// Checks the shipped pictures: sizes, that every cell the game draws has
// something in it and faces the right way, colour keys only where they belong.
// The songs are checked beside the tools that make them (tools/art/check_songs.py).
#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace {

const std::string kRoot = ZEDOV_SOURCE_DIR;

struct Rgba {
  int r, g, b, a;
};

// A picture read into plain RGBA, whatever format SDL_image gave it.
struct Picture {
  int w = 0, h = 0;
  std::vector<Rgba> px;
  const Rgba& at(int x, int y) const { return px[static_cast<size_t>(y) * w + x]; }
};

Picture Load(const std::string& rel) {
  Picture p;
  SDL_Surface* s = IMG_Load((kRoot + "/" + rel).c_str());
  if (!s) {
    ADD_FAILURE() << rel << ": " << IMG_GetError();
    return p;
  }
  p.w = s->w;
  p.h = s->h;
  p.px.resize(static_cast<size_t>(s->w) * s->h);
  SDL_LockSurface(s);
  const int bpp = s->format->BytesPerPixel;
  for (int y = 0; y < s->h; ++y) {
    const Uint8* row = static_cast<const Uint8*>(s->pixels) + y * s->pitch;
    for (int x = 0; x < s->w; ++x) {
      const Uint8* q = row + x * bpp;
      Uint32 v = 0;
      switch (bpp) {
        case 1: v = *q; break;
        case 2: v = *reinterpret_cast<const Uint16*>(q); break;
        case 3:
          v = SDL_BYTEORDER == SDL_LIL_ENDIAN ? (q[0] | q[1] << 8 | q[2] << 16) : (q[0] << 16 | q[1] << 8 | q[2]);
          break;
        default: v = *reinterpret_cast<const Uint32*>(q); break;
      }
      Uint8 r, g, b, a;
      SDL_GetRGBA(v, s->format, &r, &g, &b, &a);
      p.px[static_cast<size_t>(y) * s->w + x] = {r, g, b, a};
    }
  }
  SDL_UnlockSurface(s);
  SDL_FreeSurface(s);
  return p;
}

bool IsCyan(const Rgba& c) { return c.r == 0 && c.g == 255 && c.b == 255; }

// Opaque enough to count as ink; keyed sheets count everything but pure cyan.
bool Ink(const Rgba& c, bool keyed) { return keyed ? !IsCyan(c) : c.a >= 128; }

struct Box {
  int x, y, w, h;
};

int InkCount(const Picture& p, Box b, bool keyed = false) {
  int n = 0;
  for (int y = b.y; y < b.y + b.h; ++y)
    for (int x = b.x; x < b.x + b.w; ++x) n += Ink(p.at(x, y), keyed);
  return n;
}

// Which way an arrow in a cell points, from how wide its ink is near each end.
enum class Facing { Left, Down, Up, Right };

int SpanAcross(const Picture& p, Box b, bool keyed, bool vertical_line, int at) {
  int lo = 1 << 20, hi = -1;
  const int len = vertical_line ? b.h : b.w;
  for (int i = 0; i < len; ++i) {
    const int x = vertical_line ? b.x + at : b.x + i;
    const int y = vertical_line ? b.y + i : b.y + at;
    if (Ink(p.at(x, y), keyed)) {
      lo = std::min(lo, i);
      hi = std::max(hi, i);
    }
  }
  return hi < 0 ? 0 : hi - lo + 1;
}

Facing PointsTo(const Picture& p, Box b, bool keyed) {
  int top = b.h, bottom = -1, left = b.w, right = -1;
  for (int y = 0; y < b.h; ++y)
    for (int x = 0; x < b.w; ++x)
      if (Ink(p.at(b.x + x, b.y + y), keyed)) {
        top = std::min(top, y);
        bottom = std::max(bottom, y);
        left = std::min(left, x);
        right = std::max(right, x);
      }
  const int dy = std::max(1, (bottom - top) / 8), dx = std::max(1, (right - left) / 8);
  const int near_top = SpanAcross(p, b, keyed, false, top + dy);
  const int near_bottom = SpanAcross(p, b, keyed, false, bottom - dy);
  const int near_left = SpanAcross(p, b, keyed, true, left + dx);
  const int near_right = SpanAcross(p, b, keyed, true, right - dx);
  // an arrow is symmetric across its axis; along the axis the pointed end is the narrower
  const int along_y = near_bottom - near_top, along_x = near_right - near_left;
  if (std::abs(along_y) >= std::abs(along_x)) return along_y > 0 ? Facing::Up : Facing::Down;
  return along_x > 0 ? Facing::Left : Facing::Right;
}

double Luma(const Rgba& c) { return 0.299 * c.r + 0.587 * c.g + 0.114 * c.b; }

// Alpha-weighted average brightness of a cell.
double MeanLuma(const Picture& p, Box b) {
  double sum = 0, weight = 0;
  for (int y = b.y; y < b.y + b.h; ++y)
    for (int x = b.x; x < b.x + b.w; ++x) {
      sum += Luma(p.at(x, y)) * p.at(x, y).a;
      weight += p.at(x, y).a;
    }
  return weight > 0 ? sum / weight : 0;
}

int Diff(const Rgba& a, const Rgba& b) {
  // colours only count as far as they show
  const int da = std::abs(a.a - b.a);
  if (a.a < 16 && b.a < 16) return da;
  return std::max({da, std::abs(a.r - b.r), std::abs(a.g - b.g), std::abs(a.b - b.b)});
}

}  // namespace

TEST(MediaImages, EveryPictureHasItsExactSize) {
  const struct {
    const char* path;
    int w, h;
  } sizes[] = {
      {"Media/Kelvane/Font.png", 1425, 21},      {"Media/Kelvane/Button.png", 189, 42},
      {"Media/Kelvane/Arrows.png", 64, 16},      {"Media/Kelvane/Border.png", 640, 480},
      {"Media/Kelvane/TopBottomBorder.png", 640, 131}, {"Media/Kelvane/Cursor.png", 1536, 96},
      {"Media/Game/background.png", 640, 480},   {"Media/Game/title.png", 300, 150},
      {"Media/Game/arrows.png", 280, 280},       {"Media/Game/ratings.png", 125, 200},
      {"Media/Game/hold.png", 150, 35},          {"Media/Game/roll.png", 150, 35},
      {"Media/Game/mine.png", 70, 70},           {"Media/Game/beat_arrows.png", 280, 560},
  };
  for (const auto& s : sizes) {
    const Picture p = Load(s.path);
    EXPECT_EQ(p.w, s.w) << s.path;
    EXPECT_EQ(p.h, s.h) << s.path;
  }
}

TEST(MediaFont, GlyphsHaveOutlinedInkWithinTheAdvance) {
  const Picture f = Load("Media/Kelvane/Font.png");
  ASSERT_EQ(f.w, 95 * 15);
  EXPECT_EQ(InkCount(f, {0, 0, 15, 21}), 0) << "space must be empty";
  for (int n = 1; n < 95; ++n) {
    const char c = static_cast<char>(32 + n);
    EXPECT_GT(InkCount(f, {15 * n, 0, 15, 21}), 3) << "glyph '" << c << "' is empty";
    // the pen moves 11 px, so the last columns of a cell lie under the next glyph
    for (int y = 0; y < 21; ++y)
      for (int x = 13; x < 15; ++x) EXPECT_LT(f.at(15 * n + x, y).a, 16) << "'" << c << "' at " << x << "," << y;
    // light face and dark edge, so text reads on any backdrop
    int light = 0, dark = 0;
    for (int y = 0; y < 21; ++y)
      for (int x = 0; x < 15; ++x) {
        const Rgba& p = f.at(15 * n + x, y);
        if (p.a < 200) continue;
        light += Luma(p) > 200;
        dark += Luma(p) < 60;
      }
    EXPECT_GT(light, 0) << "'" << c << "' has no light face";
    EXPECT_GT(dark, 0) << "'" << c << "' has no dark outline";
  }
}

TEST(MediaButton, CellsAreFilledAndTileWithoutSeams) {
  const Picture b = Load("Media/Kelvane/Button.png");
  ASSERT_EQ(b.w, 189);
  for (int row = 0; row < 2; ++row) {
    auto cell = [&](int i, int x, int y) -> const Rgba& { return b.at(21 * i + x, 21 * row + y); };
    for (int i = 0; i < 9; ++i) EXPECT_GT(InkCount(b, {21 * i, 21 * row, 21, 21}), 20) << "row " << row << " cell " << i;
    for (int k = 0; k < 21; ++k)
      for (int j = 0; j < 21; ++j) {
        // horizontal edges repeat along x, vertical edges along y, the fill everywhere
        EXPECT_LE(Diff(cell(4, j, k), cell(4, 0, k)), 2) << "bottom edge, row " << row;
        EXPECT_LE(Diff(cell(6, j, k), cell(6, 0, k)), 2) << "top edge, row " << row;
        EXPECT_LE(Diff(cell(5, k, j), cell(5, k, 0)), 2) << "right edge, row " << row;
        EXPECT_LE(Diff(cell(7, k, j), cell(7, k, 0)), 2) << "left edge, row " << row;
        EXPECT_LE(Diff(cell(8, j, k), cell(8, 0, 0)), 2) << "fill, row " << row;
      }
    // edges meet the fill, and corners meet the edges
    EXPECT_LE(Diff(cell(6, 0, 20), cell(8, 0, 0)), 8) << "top edge / fill, row " << row;
    EXPECT_LE(Diff(cell(4, 0, 0), cell(8, 0, 0)), 8) << "bottom edge / fill, row " << row;
    EXPECT_LE(Diff(cell(7, 20, 0), cell(8, 0, 0)), 8) << "left edge / fill, row " << row;
    EXPECT_LE(Diff(cell(5, 0, 0), cell(8, 0, 0)), 8) << "right edge / fill, row " << row;
    for (int k = 0; k < 21; ++k) {
      EXPECT_LE(Diff(cell(0, 20, k), cell(6, 0, k)), 24) << "top-left corner / top edge, row " << row;
      EXPECT_LE(Diff(cell(2, 0, k), cell(6, 0, k)), 24) << "top-right corner / top edge, row " << row;
      EXPECT_LE(Diff(cell(1, 20, k), cell(4, 0, k)), 24) << "bottom-left corner / bottom edge, row " << row;
      EXPECT_LE(Diff(cell(3, 0, k), cell(4, 0, k)), 24) << "bottom-right corner / bottom edge, row " << row;
      EXPECT_LE(Diff(cell(0, k, 20), cell(7, k, 0)), 24) << "top-left corner / left edge, row " << row;
      EXPECT_LE(Diff(cell(1, k, 0), cell(7, k, 0)), 24) << "bottom-left corner / left edge, row " << row;
      EXPECT_LE(Diff(cell(2, k, 20), cell(5, k, 0)), 24) << "top-right corner / right edge, row " << row;
      EXPECT_LE(Diff(cell(3, k, 0), cell(5, k, 0)), 24) << "bottom-right corner / right edge, row " << row;
    }
    // the outer corner pixel is clear: panels are rounded
    EXPECT_LT(cell(0, 0, 0).a, 64);
    EXPECT_LT(cell(3, 20, 20).a, 64);
  }
  EXPECT_GT(MeanLuma(b, {0, 21, 189, 21}), MeanLuma(b, {0, 0, 189, 21}) + 10) << "highlight must be brighter";
}

TEST(MediaSmallArrows, FourIconsFacingDownLeftUpRight) {
  const Picture p = Load("Media/Kelvane/Arrows.png");
  ASSERT_EQ(p.w, 64);
  const Facing want[] = {Facing::Down, Facing::Left, Facing::Up, Facing::Right};
  for (int i = 0; i < 4; ++i) {
    const Box cell{16 * i, 0, 16, 16};
    EXPECT_GT(InkCount(p, cell, true), 20) << "icon " << i;
    EXPECT_TRUE(IsCyan(p.at(16 * i, 0))) << "icon " << i << " needs a transparent corner";
    EXPECT_EQ(PointsTo(p, cell, true), want[i]) << "icon " << i;
  }
}

TEST(MediaFrame, BorderIsThinAndKeyedInside) {
  const Picture p = Load("Media/Kelvane/Border.png");
  ASSERT_EQ(p.w, 640);
  int bad = 0;
  for (int y = 24; y < 456; ++y)
    for (int x = 24; x < 616; ++x) bad += !IsCyan(p.at(x, y));
  EXPECT_EQ(bad, 0) << "the inside of the frame must be pure cyan";
  for (int i = 0; i < 640; ++i) {
    EXPECT_FALSE(IsCyan(p.at(i, 0)) || IsCyan(p.at(i, 479))) << "x " << i;
    EXPECT_FALSE(IsCyan(p.at(i, 2)) || IsCyan(p.at(i, 477))) << "x " << i;
  }
  for (int i = 0; i < 480; ++i) EXPECT_FALSE(IsCyan(p.at(0, i)) || IsCyan(p.at(639, i))) << "y " << i;
}

TEST(MediaFrame, PauseBarsShowAtBothEndsWithCyanBetween) {
  const Picture p = Load("Media/Kelvane/TopBottomBorder.png");
  ASSERT_EQ(p.h, 131);
  for (int y = 61; y < 70; ++y)
    for (int x = 0; x < 640; ++x) ASSERT_TRUE(IsCyan(p.at(x, y))) << x << "," << y;
  // solid where the game writes on them: the address at the bottom, date and time at the top right
  EXPECT_EQ(InkCount(p, {20, 23, 300, 21}, true), 300 * 21);
  EXPECT_EQ(InkCount(p, {480, 70 + 18, 140, 42}, true), 140 * 42);
  // and the visible rows are mostly bar
  EXPECT_GT(InkCount(p, {0, 0, 640, 61}, true), 640 * 61 * 9 / 10);
  EXPECT_GT(InkCount(p, {0, 70, 640, 61}, true), 640 * 61 * 9 / 10);
}

TEST(MediaCursor, FrameThreePointsAtTheMiddle) {
  const Picture p = Load("Media/Kelvane/Cursor.png");
  ASSERT_EQ(p.w, 16 * 96);
  for (int i = 0; i < 16; ++i) EXPECT_GT(InkCount(p, {96 * i, 0, 96, 96}), 50) << "frame " << i;
  const int fx = 3 * 96;
  EXPECT_GE(p.at(fx + 48, 48).a, 128) << "the hot spot itself must be drawn";
  int top = 96, left = 96;
  for (int y = 0; y < 96; ++y)
    for (int x = 0; x < 96; ++x)
      if (p.at(fx + x, y).a >= 200) {
        top = std::min(top, y);
        left = std::min(left, x);
      }
  EXPECT_GE(top, 45);
  EXPECT_LE(top, 48);
  EXPECT_GE(left, 45);
  EXPECT_LE(left, 48);
}

TEST(MediaBackdrop, DarkAndNeverPureCyan) {
  const Picture p = Load("Media/Game/background.png");
  ASSERT_EQ(p.w, 640);
  double sum = 0;
  int cyan = 0;
  for (const Rgba& c : p.px) {
    cyan += IsCyan(c);
    sum += Luma(c);
  }
  EXPECT_EQ(cyan, 0);
  EXPECT_LT(sum / p.px.size(), 60.0) << "the backdrop must stay dark under white text";
}

TEST(MediaTitle, NameClearsThePlayButton) {
  const Picture p = Load("Media/Game/title.png");
  ASSERT_EQ(p.h, 150);
  EXPECT_GT(InkCount(p, {0, 0, p.w, p.h}), 3000);
  int bottom = -1;
  for (int y = 0; y < p.h; ++y)
    if (InkCount(p, {0, y, p.w, 1}) > 0) bottom = y;
  EXPECT_LT(30 + bottom, 189 - 8) << "drawn at y 30 it would touch the Play button";
}

TEST(MediaArrows, EveryColumnAndStateIsDrawnFacingItsColumn) {
  const Picture p = Load("Media/Game/arrows.png");
  ASSERT_EQ(p.w, 280);
  const Facing columns[] = {Facing::Left, Facing::Down, Facing::Up, Facing::Right};
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c) {
      const Box cell{70 * c, 70 * r, 70, 70};
      EXPECT_GT(InkCount(p, cell), 600) << "cell " << c + 4 * r;
      if (r > 0) {
        EXPECT_EQ(PointsTo(p, cell, false), columns[c]) << "cell " << c + 4 * r;
      }
    }
  // By beat: every place's notes keep their column's shape.
  const Picture beats = Load("Media/Game/beat_arrows.png");
  for (int r = 0; r < 8 && beats.h == 560; ++r)
    for (int c = 0; c < 4; ++c) EXPECT_EQ(PointsTo(beats, {70 * c, 70 * r, 70, 70}, false), columns[c]) << c + 4 * r;
  for (int c = 0; c < 4; ++c) {
    const double pressed = MeanLuma(p, {70 * c, 0, 70, 70}), idle = MeanLuma(p, {70 * c, 70, 70, 70});
    const double held = MeanLuma(p, {70 * c, 140, 70, 70});
    EXPECT_GT(pressed, held) << "lane " << c;
    EXPECT_GT(held, idle) << "lane " << c;
  }
}

TEST(MediaRatings, FourWordsInDifferentColours) {
  const Picture p = Load("Media/Game/ratings.png");
  ASSERT_EQ(p.h, 200);
  double mean[4][3] = {};
  for (int i = 0; i < 4; ++i) {
    EXPECT_GT(InkCount(p, {0, 50 * i, 125, 50}), 400) << "rating " << i;
    double n = 0;
    for (int y = 50 * i; y < 50 * i + 50; ++y)
      for (int x = 0; x < 125; ++x) {
        const Rgba& c = p.at(x, y);
        if (c.a < 200 || Luma(c) < 80) continue;  // the word's face, not its outline
        mean[i][0] += c.r, mean[i][1] += c.g, mean[i][2] += c.b, n += 1;
      }
    ASSERT_GT(n, 0);
    for (double& v : mean[i]) v /= n;
  }
  for (int i = 0; i < 4; ++i)
    for (int j = i + 1; j < 4; ++j) {
      const double d = std::abs(mean[i][0] - mean[j][0]) + std::abs(mean[i][1] - mean[j][1]) +
                       std::abs(mean[i][2] - mean[j][2]);
      EXPECT_GT(d, 60) << "ratings " << i << " and " << j << " look alike";
    }
}

TEST(MediaHold, StripJoinsUpAndBodyTilesVertically) {
  const Picture p = Load("Media/Game/hold.png");
  ASSERT_EQ(p.w, 150);
  for (int i = 0; i < 3; ++i) EXPECT_GT(InkCount(p, {50 * i, 0, 50, 35}), 300) << "cell " << i;
  for (int x = 0; x < 50; ++x) {
    // body bottom runs into body top, start bottom into body, body into end
    EXPECT_LE(Diff(p.at(50 + x, 34), p.at(50 + x, 0)), 12) << "body seam at x " << x;
    EXPECT_LE(Diff(p.at(x, 34), p.at(50 + x, 34)), 12) << "start / body at x " << x;
    EXPECT_LE(Diff(p.at(100 + x, 0), p.at(50 + x, 0)), 12) << "body / end at x " << x;
  }
  // the strip fits inside its 50 px column with a margin
  EXPECT_EQ(InkCount(p, {50, 0, 4, 35}) + InkCount(p, {96, 0, 4, 35}), 0);
}

// The strip lies under the arrow of any column, so it takes no column's colour:
// a light, nearly grey body that stands apart from all four column colours.
TEST(MediaHold, StripIsLightAndNeutralUnderEveryColumn) {
  const Picture hold = Load("Media/Game/hold.png");
  const Picture arrows = Load("Media/Game/arrows.png");
  ASSERT_EQ(hold.w, 150);
  ASSERT_EQ(arrows.w, 280);
  auto mean_colour = [](const Picture& p, Box b, double out[3]) {
    double n = 0;
    out[0] = out[1] = out[2] = 0;
    for (int y = b.y; y < b.y + b.h; ++y)
      for (int x = b.x; x < b.x + b.w; ++x) {
        const Rgba& c = p.at(x, y);
        if (c.a < 200 || Luma(c) < 80) continue;  // the face, not the outline
        out[0] += c.r, out[1] += c.g, out[2] += c.b, n += 1;
      }
    for (int k = 0; k < 3; ++k) out[k] /= std::max(n, 1.0);
    return n;
  };
  double body[3];
  ASSERT_GT(mean_colour(hold, {50, 0, 50, 35}, body), 300);
  const double chroma = std::max({body[0], body[1], body[2]}) - std::min({body[0], body[1], body[2]});
  EXPECT_LT(chroma, 30) << "the body has a colour of its own";
  EXPECT_GT(0.299 * body[0] + 0.587 * body[1] + 0.114 * body[2], 170) << "the body is too dark to read on the backdrop";
  for (int column = 0; column < 4; ++column) {
    double note[3];
    ASSERT_GT(mean_colour(arrows, {70 * column, 210, 70, 70}, note), 100) << "lane " << column;
    const double apart = std::abs(note[0] - body[0]) + std::abs(note[1] - body[1]) + std::abs(note[2] - body[2]);
    EXPECT_GT(apart, 90) << "the strip looks like lane " << column << "'s arrow";
  }
}
