// Checks the shipped pictures, song and steps: sizes, that every cell the game
// draws has something in it and faces the right way, colour keys only where
// they belong, and that the chart, the StepMania file and the MP3 agree in time.
#include <SDL.h>
#include <SDL_image.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "charts/step_file.h"

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
      {"Media/Game/arrows.png", 280, 280},       {"Media/Game/ratings.png", 125, 150},
      {"Media/Game/hold.png", 150, 35},
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

TEST(MediaArrows, EveryLaneAndStateIsDrawnFacingItsLane) {
  const Picture p = Load("Media/Game/arrows.png");
  ASSERT_EQ(p.w, 280);
  const Facing lanes[] = {Facing::Left, Facing::Down, Facing::Up, Facing::Right};
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c) {
      const Box cell{70 * c, 70 * r, 70, 70};
      EXPECT_GT(InkCount(p, cell), 600) << "cell " << c + 4 * r;
      if (r > 0) {
        EXPECT_EQ(PointsTo(p, cell, false), lanes[c]) << "cell " << c + 4 * r;
      }
    }
  for (int c = 0; c < 4; ++c) {
    const double pressed = MeanLuma(p, {70 * c, 0, 70, 70}), idle = MeanLuma(p, {70 * c, 70, 70, 70});
    const double held = MeanLuma(p, {70 * c, 140, 70, 70});
    EXPECT_GT(pressed, held) << "lane " << c;
    EXPECT_GT(held, idle) << "lane " << c;
  }
}

TEST(MediaRatings, ThreeWordsInDifferentColours) {
  const Picture p = Load("Media/Game/ratings.png");
  ASSERT_EQ(p.h, 150);
  double mean[3][3] = {};
  for (int i = 0; i < 3; ++i) {
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
  for (int i = 0; i < 3; ++i)
    for (int j = i + 1; j < 3; ++j) {
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

// The strip lies under the arrow of any lane, so it takes no lane's colour:
// a light, nearly grey body that stands apart from all four lane colours.
TEST(MediaHold, StripIsLightAndNeutralUnderEveryLane) {
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
  for (int lane = 0; lane < 4; ++lane) {
    double note[3];
    ASSERT_GT(mean_colour(arrows, {70 * lane, 210, 70, 70}, note), 100) << "lane " << lane;
    const double apart = std::abs(note[0] - body[0]) + std::abs(note[1] - body[1]) + std::abs(note[2] - body[2]);
    EXPECT_GT(apart, 90) << "the strip looks like lane " << lane << "'s arrow";
  }
}

// ---- the songs' steps ----------------------------------------------------------------------

namespace {

// Every song the game ships: Music/<title>.mp3, .mp3.tq and .sm.
const char* const kSongs[] = {"First Steps", "Soft Tide", "Starfall"};

struct ChartNote {
  int column;
  double ms;
  double hold_ms;
};

using Chart = std::map<std::string, std::vector<ChartNote>>;  // by difficulty

const char* const kLevels[] = {"beginner", "easy", "medium", "hard", "challenge"};

std::string ReadAll(const std::string& rel) {
  std::ifstream in(kRoot + "/" + rel, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

std::string Music(const std::string& title, const char* ext) { return "Music/" + title + ext; }

Chart ParseTq(const std::string& text) {
  Chart chart;
  std::istringstream in(text);
  std::vector<std::string> t;
  for (std::string w; in >> w;) t.push_back(w);
  size_t i = 0;
  for (const char* level : kLevels) {
    EXPECT_LT(i, t.size());
    if (i >= t.size()) break;
    EXPECT_EQ(t[i], std::string("<start") + level + ">");
    ++i;
    std::vector<ChartNote>& notes = chart[level];
    while (i < t.size() && t[i] != "<stop>") {
      if (i + 4 > t.size()) {
        ADD_FAILURE() << level << ": a note is cut short";
        return chart;
      }
      EXPECT_EQ(t[i + 3], "----") << level << " note " << notes.size();
      notes.push_back({std::stoi(t[i]), std::stod(t[i + 1]), std::stod(t[i + 2])});
      i += 4;
    }
    ++i;  // <stop>
  }
  EXPECT_EQ(i, t.size()) << "text after the last section";
  return chart;
}

// The value of a "#NAME:...;" tag of a StepMania file, or "" without one.
std::string SmTag(const std::string& text, const std::string& name) {
  const size_t a = text.find("#" + name + ":");
  if (a == std::string::npos) return std::string();
  const size_t b = text.find(';', a);
  return text.substr(a + name.size() + 2, b - a - name.size() - 2);
}

// "beat=value,beat=value"
std::vector<std::pair<double, double>> SmPairs(const std::string& list) {
  std::vector<std::pair<double, double>> out;
  std::istringstream s(list);
  for (std::string item; std::getline(s, item, ',');) {
    if (item.find_first_not_of(" \r\n\t") == std::string::npos) continue;
    const size_t eq = item.find('=');
    out.push_back({std::stod(item.substr(0, eq)), std::stod(item.substr(eq + 1))});
  }
  return out;
}

// A song's timing from its StepMania header, as StepMania plays it: beat 0 at
// -OFFSET seconds, the tempo from #BPMS, and each stop of #STOPS holding the
// song for its seconds after its beat (a note on that beat is due as it begins).
struct SongTiming {
  double beat0_ms = 0;
  std::vector<std::pair<double, double>> bpms;   // (beat, beats per minute)
  std::vector<std::pair<double, double>> stops;  // (beat, seconds)

  explicit SongTiming(const std::string& sm) {
    beat0_ms = -1000.0 * std::stod(SmTag(sm, "OFFSET"));
    bpms = SmPairs(SmTag(sm, "BPMS"));
    stops = SmPairs(SmTag(sm, "STOPS"));
    EXPECT_FALSE(bpms.empty());
    EXPECT_EQ(bpms.empty() ? -1.0 : bpms.front().first, 0.0) << "the first tempo starts at beat 0";
  }

  double Ms(double beat) const {
    double ms = beat0_ms, at = 0, bpm = bpms.front().second;
    for (size_t k = 1; k < bpms.size() && bpms[k].first < beat; ++k) {
      ms += (bpms[k].first - at) * 60000.0 / bpm;
      at = bpms[k].first;
      bpm = bpms[k].second;
    }
    ms += (beat - at) * 60000.0 / bpm;
    for (const auto& [stop_beat, seconds] : stops)
      if (stop_beat < beat - 1e-9) ms += 1000.0 * seconds;
    return ms;
  }
};

// StepMania: rows spread evenly over each measure's four beats.
Chart ParseSm(const std::string& text) {
  const SongTiming timing(text);
  Chart chart;
  for (size_t a = text.find("#NOTES:"); a != std::string::npos; a = text.find("#NOTES:", a + 1)) {
    const std::string block = text.substr(a + 7, text.find(';', a) - a - 7);
    std::vector<std::string> fields;
    std::istringstream fs(block);
    for (std::string f; std::getline(fs, f, ':');) fields.push_back(f);
    EXPECT_EQ(fields.size(), 6u);
    if (fields.size() != 6) continue;
    auto trim = [](std::string s) {
      s.erase(0, s.find_first_not_of(" \r\n\t"));
      s.erase(s.find_last_not_of(" \r\n\t") + 1);
      return s;
    };
    EXPECT_EQ(trim(fields[0]), "dance-single");
    std::string level = trim(fields[2]);
    std::transform(level.begin(), level.end(), level.begin(), [](unsigned char ch) { return std::tolower(ch); });
    std::vector<ChartNote>& notes = chart[level];
    std::map<int, size_t> open;  // column -> index of its unfinished hold
    std::istringstream ms(fields[5]);
    int measure = 0;
    for (std::string m; std::getline(ms, m, ',');) {
      std::vector<std::string> rows;
      std::istringstream rs(m);
      for (std::string r; rs >> r;)
        if (r.rfind("//", 0) != 0) rows.push_back(r);
      for (size_t r = 0; r < rows.size(); ++r) {
        EXPECT_EQ(rows[r].size(), 4u);
        const double at = timing.Ms(4.0 * measure + 4.0 * r / rows.size());
        for (int c = 0; c < 4 && c < static_cast<int>(rows[r].size()); ++c) {
          const char d = rows[r][c];
          if (d == '1') notes.push_back({c, at, 0});
          if (d == '2') {
            open[c] = notes.size();
            notes.push_back({c, at, 0});
          }
          if (d == '3') {
            EXPECT_TRUE(open.count(c)) << level << ": hold end without a start";
            if (open.count(c)) notes[open[c]].hold_ms = at - notes[open[c]].ms;
            open.erase(c);
          }
        }
      }
      ++measure;
    }
    EXPECT_TRUE(open.empty()) << level << ": unfinished hold";
  }
  return chart;
}

// The times of every eighth note of a song, from its header, walked beat by
// beat rather than worked out from the tempo list: an eighth lasts 30 s / BPM
// of the tempo it starts in, and a stop adds its seconds after its beat.
std::vector<double> EighthGrid(const std::string& sm, double last_beat) {
  const std::vector<std::pair<double, double>> bpms = SmPairs(SmTag(sm, "BPMS"));
  const std::vector<std::pair<double, double>> stops = SmPairs(SmTag(sm, "STOPS"));
  std::vector<double> grid;
  double ms = -1000.0 * std::stod(SmTag(sm, "OFFSET"));
  for (int k = 0; k <= 2 * last_beat; ++k) {
    const double beat = k / 2.0;
    grid.push_back(ms);
    for (const auto& [b, seconds] : stops)
      if (std::abs(b - beat) < 1e-9) ms += 1000.0 * seconds;
    double bpm = bpms.front().second;
    for (const auto& [b, tempo] : bpms)
      if (b <= beat + 1e-9) bpm = tempo;
    ms += 30000.0 / bpm;
  }
  return grid;
}

}  // namespace

TEST(MediaChart, StepsAreWellFormed) {
  for (const std::string title : kSongs) {
    SCOPED_TRACE(title);
    const std::string text = ReadAll(Music(title, ".mp3.tq"));
    ASSERT_FALSE(text.empty());
    EXPECT_EQ(text.find('\r'), std::string::npos) << "LF line ends only";
    const Chart chart = ParseTq(text);
    for (const char* level : kLevels) {
      ASSERT_TRUE(chart.count(level)) << level;
      const std::vector<ChartNote>& notes = chart.at(level);
      EXPECT_GT(notes.size(), 20u) << level;
      EXPECT_LE(notes.size(), 989u) << level;
      std::map<int, double> free_from;
      std::map<double, int> per_row;
      for (size_t i = 0; i < notes.size(); ++i) {
        const ChartNote& n = notes[i];
        EXPECT_GE(n.column, 0);
        EXPECT_LE(n.column, 3);
        if (i) {
          EXPECT_GE(n.ms, notes[i - 1].ms) << level << " note " << i << " out of order";
        }
        EXPECT_GE(n.ms, 2000) << "arrows need time to scroll in";
        EXPECT_TRUE(n.hold_ms == 0 || (n.hold_ms >= 400 && n.hold_ms <= 1500)) << level << " note " << i;
        if (free_from.count(n.column)) {
          EXPECT_GT(n.ms, free_from[n.column]) << level << " note " << i << " lands in a hold";
        }
        free_from[n.column] = n.ms + n.hold_ms;
        EXPECT_LE(++per_row[n.ms], 2) << level << " at " << n.ms << " ms: a jump has two arrows, not more";
      }
    }
    // each level asks more of the player than the one before
    for (int k = 1; k < 5; ++k) EXPECT_GT(chart.at(kLevels[k]).size(), chart.at(kLevels[k - 1]).size());
  }
}

// The new songs teach jumps and holds step by step: none in Beginner, both in
// every level from Medium up.
TEST(MediaChart, JumpsAndHoldsComeInFromMedium) {
  for (const std::string title : {"Soft Tide", "Starfall"}) {
    SCOPED_TRACE(title);
    const Chart chart = ParseTq(ReadAll(Music(title, ".mp3.tq")));
    for (const char* level : kLevels) {
      if (!chart.count(level)) continue;
      std::map<double, int> per_row;
      int holds = 0;
      for (const ChartNote& n : chart.at(level)) {
        ++per_row[n.ms];
        holds += n.hold_ms > 0;
      }
      const long jumps = std::count_if(per_row.begin(), per_row.end(), [](const auto& r) { return r.second == 2; });
      if (std::string(level) == "beginner") {
        EXPECT_EQ(jumps, 0) << level;
        EXPECT_EQ(holds, 0) << level;
      } else if (std::string(level) != "easy") {
        EXPECT_GE(jumps, 3) << level;
        EXPECT_GE(holds, 10) << level;
      }
    }
  }
}

TEST(MediaChart, StepManiaFileHasTheSameSteps) {
  for (const std::string title : kSongs) {
    SCOPED_TRACE(title);
    const std::string sm = ReadAll(Music(title, ".sm"));
    ASSERT_FALSE(sm.empty());
    EXPECT_EQ(SmTag(sm, "MUSIC"), title + ".mp3");
    EXPECT_EQ(SmTag(sm, "TITLE"), title);
    const Chart tq = ParseTq(ReadAll(Music(title, ".mp3.tq")));
    const Chart from_sm = ParseSm(sm);
    for (const char* level : kLevels) {
      ASSERT_TRUE(from_sm.count(level)) << level;
      ASSERT_TRUE(tq.count(level)) << level;
      std::vector<ChartNote> a = tq.at(level), b = from_sm.at(level);
      ASSERT_EQ(a.size(), b.size()) << level;
      auto order = [](const ChartNote& x, const ChartNote& y) { return x.ms != y.ms ? x.ms < y.ms : x.column < y.column; };
      std::stable_sort(a.begin(), a.end(), order);
      std::stable_sort(b.begin(), b.end(), order);
      for (size_t i = 0; i < a.size(); ++i) {
        EXPECT_EQ(a[i].column, b[i].column) << level << " note " << i;
        EXPECT_NEAR(a[i].ms, b[i].ms, 1.0) << level << " note " << i;
        EXPECT_NEAR(a[i].hold_ms, b[i].hold_ms, 1.0) << level << " note " << i;
      }
    }
  }
}

// The import screen turns each shipped StepMania file into exactly the shipped chart.
TEST(MediaChart, GameImportOfTheStepFileGivesTheShippedChart) {
  for (const std::string title : kSongs) {
    SCOPED_TRACE(title);
    const std::string sm = ReadAll(Music(title, ".sm"));
    ASSERT_FALSE(sm.empty());
    EXPECT_EQ(ConvertStepText(sm), ReadAll(Music(title, ".mp3.tq")));
  }
}

// Every arrow and every hold's end falls on an eighth note of its song, counted
// through the song's tempo changes and stops, and never while a stop holds the song.
TEST(MediaChart, NotesLieOnTheBeatGrid) {
  for (const std::string title : kSongs) {
    SCOPED_TRACE(title);
    const std::string sm = ReadAll(Music(title, ".sm"));
    ASSERT_FALSE(sm.empty());
    const Chart chart = ParseTq(ReadAll(Music(title, ".mp3.tq")));
    double last_ms = 0;
    for (const auto& [level, notes] : chart)
      for (const ChartNote& n : notes) last_ms = std::max(last_ms, n.ms + n.hold_ms);
    const std::vector<double> grid = EighthGrid(sm, 1000);
    ASSERT_GT(grid.back(), last_ms + 1000);
    auto on_grid = [&](double ms) {
      const auto at = std::lower_bound(grid.begin(), grid.end(), ms - 1.0);
      return at != grid.end() && std::abs(*at - ms) <= 0.5 + 1e-6;  // the chart rounds to whole ms
    };
    int checked = 0;
    for (const auto& [level, notes] : chart)
      for (const ChartNote& n : notes) {
        EXPECT_TRUE(on_grid(n.ms)) << level << ": a note at " << n.ms << " ms is off the beat";
        if (n.hold_ms) {
          EXPECT_TRUE(on_grid(n.ms + n.hold_ms)) << level << ": the hold from " << n.ms << " ms ends off the beat";
        }
        ++checked;
      }
    EXPECT_GT(checked, 300);
    // and the song really has its timing: the grid spacing follows the tempo list
    const SongTiming timing(sm);
    for (size_t k = 0; k + 1 < grid.size() && k < 600; ++k) EXPECT_NEAR(grid[k], timing.Ms(k / 2.0), 1e-6) << k;
  }
}

TEST(MediaChart, FastSongChangesTempoAndStopsForOneBeat) {
  const std::string sm = ReadAll(Music("Starfall", ".sm"));
  ASSERT_FALSE(sm.empty());
  const auto bpms = SmPairs(SmTag(sm, "BPMS"));
  const auto stops = SmPairs(SmTag(sm, "STOPS"));
  ASSERT_EQ(bpms.size(), 2u) << "one tempo change";
  EXPECT_NEAR(bpms[0].second, 160, 10);
  EXPECT_GT(std::abs(bpms[1].second - bpms[0].second), 5);
  ASSERT_EQ(stops.size(), 1u) << "one stop";
  double bpm = bpms[0].second;
  for (const auto& [b, tempo] : bpms)
    if (b <= stops[0].first) bpm = tempo;
  EXPECT_DOUBLE_EQ(stops[0].second, 60.0 / bpm) << "the stop lasts exactly one beat";
  // some arrows wait through the stop: there are notes on its beat and on the next
  const SongTiming timing(sm);
  const Chart chart = ParseTq(ReadAll(Music("Starfall", ".mp3.tq")));
  for (const char* level : kLevels) {
    bool on_stop = false, after = false;
    for (const ChartNote& n : chart.at(level)) {
      on_stop |= std::abs(n.ms - timing.Ms(stops[0].first)) <= 0.5;
      after |= std::abs(n.ms - timing.Ms(stops[0].first + 1)) <= 0.5;
    }
    EXPECT_TRUE(on_stop && after) << level;
  }
}

TEST(MediaSong, ThreeSongsFitInFiveMegabytes) {
  uintmax_t total = 0;
  for (const std::string title : kSongs) {
    const auto bytes = std::filesystem::file_size(kRoot + "/" + Music(title, ".mp3"));
    // 128 kbit/s is 16000 bytes a second: each song runs one to two minutes
    EXPECT_GT(bytes, 60u * 16000u) << title;
    EXPECT_LT(bytes, 120u * 16000u) << title;
    total += bytes;
  }
  EXPECT_LT(total, 5u * 1000u * 1000u);
}

namespace {

std::vector<Sint16> g_song;        // stereo samples as the mixer played them
std::atomic<bool> g_listening{false};

void Collect(void*, Uint8* stream, int len) {
  if (!g_listening) return;
  const Sint16* s = reinterpret_cast<const Sint16*>(stream);
  g_song.insert(g_song.end(), s, s + len / 2);
}

// Sets an environment variable for the life of this object, then puts it back.
class EnvFor {
 public:
  EnvFor(const char* name, const char* value) : name_(name) {
    const char* old = std::getenv(name);
    had_ = old != nullptr;
    if (had_) old_ = old;
    setenv(name, value, 1);
  }
  ~EnvFor() {
    if (had_)
      setenv(name_, old_.c_str(), 1);
    else
      unsetenv(name_);
  }

 private:
  const char* name_;
  bool had_ = false;
  std::string old_;
};

// Plays a song through SDL_mixer as the game does, from start to end, and
// returns every sample mixed (44.1 kHz, stereo). SDL's "disk" driver stands in
// for the sound card so that the song plays as fast as it decodes.
std::vector<Sint16> HearWholeSong(const std::string& rel, std::string& why) {
  int freq = 0, channels = 0;
  Uint16 format = 0;
  if (Mix_QuerySpec(&freq, &format, &channels)) {
    why = "audio is already open elsewhere";
    return {};
  }
  const bool had_audio = SDL_WasInit(SDL_INIT_AUDIO);
  if (had_audio) SDL_QuitSubSystem(SDL_INIT_AUDIO);
  std::vector<Sint16> heard;
  {
    EnvFor driver("SDL_AUDIODRIVER", "disk"), file("SDL_DISKAUDIOFILE", "/dev/null"), delay("SDL_DISKAUDIODELAY", "0");
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) < 0) {
      why = SDL_GetError();
    } else if (Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 1024) < 0) {
      why = Mix_GetError();
    } else {
      Mix_Music* music = Mix_LoadMUS((kRoot + "/" + rel).c_str());
      if (!music) {
        why = Mix_GetError();
      } else {
        g_song.clear();
        g_song.reserve(44100 * 2 * 150);
        Mix_SetPostMix(Collect, nullptr);
        SDL_LockAudio();
        Mix_PlayMusic(music, 0);
        g_listening = true;
        SDL_UnlockAudio();
        const Uint32 until = SDL_GetTicks() + 60000;
        while (Mix_PlayingMusic() && SDL_GetTicks() < until) SDL_Delay(2);
        SDL_LockAudio();
        g_listening = false;
        SDL_UnlockAudio();
        Mix_SetPostMix(nullptr, nullptr);
        Mix_HaltMusic();
        Mix_FreeMusic(music);
        heard.swap(g_song);
      }
      Mix_CloseAudio();
    }
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
  }
  if (had_audio) SDL_InitSubSystem(SDL_INIT_AUDIO);
  return heard;
}

// Each song as heard, decoded once for all the tests that listen to it.
const std::vector<Sint16>& Heard(const std::string& title, std::string& why) {
  static std::map<std::string, std::vector<Sint16>> heard;
  static const std::vector<Sint16> nothing;
  const auto found = heard.find(title);
  if (found != heard.end()) return found->second;
  std::vector<Sint16> song = HearWholeSong(Music(title, ".mp3"), why);
  if (!why.empty()) return nothing;
  return heard.emplace(title, std::move(song)).first->second;
}

int Level(const std::vector<Sint16>& s, size_t frame) {
  return std::max(std::abs(s[2 * frame]), std::abs(s[2 * frame + 1]));
}

constexpr int kLoud = 3000;   // a kick or a chord starting
constexpr int kQuiet = 1000;  // about -30 dBFS: the music rests

// Where the music starts after silence: beat 0, and any sound after a rest of
// at least 100 ms. The sound must grow loud within 20 ms of leaving the rest
// (a kick or a chord does); its time is where it grows loud, in ms from the
// start of the music.
std::vector<double> OnsetsAfterSilence(const std::vector<Sint16>& s) {
  std::vector<double> onsets;
  const size_t frames = s.size() / 2;
  size_t quiet_run = 4410;  // the music starts after silence
  size_t rising_until = 0;  // a sound left a rest; it may grow loud up to this frame
  bool rising = false;
  for (size_t i = 0; i < frames; ++i) {
    const int level = Level(s, i);
    if (level >= kQuiet && quiet_run >= 4410) {
      rising = true;
      rising_until = i + 882;
    }
    if (rising && level > kLoud) {
      onsets.push_back(i * 1000.0 / 44100);
      rising = false;
    }
    if (rising && i > rising_until) rising = false;
    quiet_run = level < kQuiet ? quiet_run + 1 : 0;
  }
  return onsets;
}

}  // namespace

// Plays each MP3 through SDL_mixer as the game does and checks that the first
// beat is heard where the StepMania file puts beat 0 (the charts are made from it).
TEST(MediaSong, FirstBeatIsHeardWhereTheStepsSayItIs) {
  for (const std::string title : kSongs) {
    SCOPED_TRACE(title);
    std::string why;
    const std::vector<Sint16>& heard = Heard(title, why);
    if (why.find("already open") != std::string::npos) GTEST_SKIP() << why;
    ASSERT_TRUE(why.empty()) << why;
    ASSERT_GT(heard.size(), 2u * 44100u) << "the mixer did not play";
    int onset = -1;
    for (size_t i = 0; i < 44100 && onset < 0; ++i)
      if (Level(heard, i) > kLoud) onset = static_cast<int>(i);
    ASSERT_GE(onset, 0) << "no beat in the first second";
    const SongTiming timing(ReadAll(Music(title, ".sm")));
    EXPECT_NEAR(onset * 1000.0 / 44100, timing.beat0_ms, 3.0);
  }
}

// Wherever the music rests and starts again (after the stop, before a tempo
// change, before the last chord), it starts on a beat of its StepMania timing:
// this checks the tempo, the tempo changes and the stops against the MP3.
// Every stop leaves the song silent until the beat after it.
TEST(MediaSong, MusicAfterEveryRestStartsOnABeat) {
  int rests = 0;
  for (const std::string title : kSongs) {
    SCOPED_TRACE(title);
    std::string why;
    const std::vector<Sint16>& heard = Heard(title, why);
    if (why.find("already open") != std::string::npos) GTEST_SKIP() << why;
    ASSERT_TRUE(why.empty()) << why;
    const size_t frames = heard.size() / 2;
    ASSERT_GT(frames, 44100u * 60) << "shorter than a minute";

    const SongTiming timing(ReadAll(Music(title, ".sm")));
    std::vector<double> beats;  // the time of every whole beat while the music plays
    for (int b = 0; timing.Ms(b) < frames / 44.1; ++b) beats.push_back(timing.Ms(b));
    const std::vector<double> onsets = OnsetsAfterSilence(heard);
    ASSERT_FALSE(onsets.empty());
    EXPECT_NEAR(onsets.front(), timing.beat0_ms, 3.0) << "the first beat";
    for (double at : onsets) {
      const auto near = std::min_element(beats.begin(), beats.end(),
                                         [&](double a, double b) { return std::abs(a - at) < std::abs(b - at); });
      EXPECT_NEAR(at, *near, 3.0) << "music starts again at " << at << " ms, beat " << near - beats.begin();
    }
    rests += static_cast<int>(onsets.size()) - 1;
    for (const auto& [stop_beat, stop_seconds] : timing.stops) {
      const double again = timing.Ms(stop_beat + 1);
      const bool starts_again =
          std::any_of(onsets.begin(), onsets.end(), [&](double at) { return std::abs(at - again) <= 3.0; });
      EXPECT_TRUE(starts_again) << "after the stop on beat " << stop_beat << " the music comes back on the next beat";
      // the last part of the stop, while the song waits, is silent
      const size_t from = static_cast<size_t>((again - 1000.0 * stop_seconds / 2) * 44.1);
      const size_t to = static_cast<size_t>((again - 5.0) * 44.1);
      int loudest = 0;
      for (size_t i = from; i < to && i < frames; ++i) loudest = std::max(loudest, Level(heard, i));
      EXPECT_LT(loudest, kQuiet) << "the song plays on through the stop on beat " << stop_beat;
    }
  }
  EXPECT_GE(rests, 3) << "the new songs rest before their last chords and around the stop";
}

// Mixed with headroom: decoded as the player hears it, no song reaches -1 dBFS.
// And each is 128 kbit/s, 16000 bytes for every second heard.
TEST(MediaSong, PeaksStayBelowMinusOneDecibelAt128Kbits) {
  for (const std::string title : kSongs) {
    SCOPED_TRACE(title);
    std::string why;
    const std::vector<Sint16>& heard = Heard(title, why);
    if (why.find("already open") != std::string::npos) GTEST_SKIP() << why;
    ASSERT_TRUE(why.empty()) << why;
    ASSERT_GT(heard.size(), 2u * 44100u * 60) << "shorter than a minute";
    int peak = 0;
    for (Sint16 v : heard) peak = std::max(peak, std::abs(static_cast<int>(v)));
    ASSERT_GT(peak, 0) << "silent";
    EXPECT_LT(20 * std::log10(peak / 32768.0), -1.0) << "peak " << peak;
    const double seconds = heard.size() / 2 / 44100.0;
    const double rate = std::filesystem::file_size(kRoot + "/" + Music(title, ".mp3")) / seconds;
    EXPECT_NEAR(rate, 16000, 500) << "bytes a second";
  }
}
