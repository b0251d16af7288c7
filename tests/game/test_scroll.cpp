// The scroll speed and the visual offset: at 1.00x every place is the plain
// pace's; faster, the arrows travel that many times as far.
#include <gtest/gtest.h>

#include <climits>

#include "game/scroll.h"

namespace {

TEST(Scroll, AtOneTheArrowsStandWhereThePlainPacePutsThemAndFasterTheyTravelFarther) {
  // The place is truncated toward zero, above the target line and past the window's top alike.
  struct Place { int64_t ahead, y; };
  const Place places[] = {{0, 50},        {1, 50},        {4, 50},     {5, 51},     {-4, 49},
                          {-6, 48},       {2145, 479},    {2149, 479}, {2150, 480}, {-125, 25},
                          {-301, -10},    {-305, -11},    {999999, 200049},
                          {INT_MAX, 429496779},           {-2147483647, -429496679}};
  ScrollSpeed = 1.0;
  for (const Place& p : places) {
    int32_t time = static_cast<int32_t>(p.ahead / 2), song = static_cast<int32_t>(time - p.ahead);
    EXPECT_EQ(NoteY(time, song), p.y) << p.ahead;
  }
  // Faster, 1000 ms ahead is that many times farther, and so is a hold strip and its cells.
  struct Pace { double speed; int64_t y, strip, cells; };
  const Pace paces[] = {{1.0, 250, 100, 2}, {1.25, 300, 125, 3}, {2.0, 450, 200, 5}, {4.0, 850, 400, 11}};
  for (const Pace& p : paces) {
    ScrollSpeed = p.speed;
    EXPECT_EQ(NoteY(1000, 0), p.y) << p.speed;
    EXPECT_EQ(ScrollPixels(500), p.strip) << p.speed;
    EXPECT_EQ(HoldWholeCells(500), p.cells) << p.speed;
  }
  ScrollSpeed = 1.0;
  VisualOffsetMs = 40;  // drawn 40 ms later: 8 pixels lower
  EXPECT_EQ(NoteY(1000, 1000), 58);
  VisualOffsetMs = 0;
}

}  // namespace
