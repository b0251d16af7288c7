// Mines and rolls through the play screen's own tick, at the edges of their windows.
#include <gtest/gtest.h>

#include <vector>

#include "game/mines_rolls.h"
#include "game/play.h"
#include "game/play_helpers.h"

namespace {

// A play frame at song time t with the columns of the masks (bit = column) pressed or held.
struct Frame {
  int t, pressed, held;
};

void Play(const std::vector<Frame>& frames) {
  for (const Frame& f : frames) {
    for (int c = 0; c < 4; ++c)
      KeyStates[ColumnKeys[c]] = (f.pressed >> c & 1) ? KeyState::Pressed : (f.held >> c & 1) ? KeyState::Held : KeyState::Up;
    GameClockMs = PlayStart + f.t;
    TickPlay(false);
  }
}

struct MineCase {
  const char* what;
  std::vector<Frame> frames;
  int hit;
};

// A mine in the left column at 1000, with a combo of 5 under way.
TEST(Mines, ExplodeWithinSeventyMillisecondsOrWhenHeldThrough) {
  const MineCase cases[] = {
      {"pressed 70 early", {{930, 1, 0}, {1100, 0, 0}}, 1},
      {"pressed 71 early, let go", {{929, 1, 0}, {946, 0, 0}, {1100, 0, 0}}, 0},
      {"pressed 70 late", {{900, 0, 0}, {1070, 1, 0}, {1100, 0, 0}}, 1},
      {"pressed 71 late", {{900, 0, 0}, {1071, 1, 0}, {1100, 0, 0}}, 0},
      {"held through its time", {{700, 1, 0}, {900, 0, 1}, {1016, 0, 1}, {1100, 0, 1}}, 1},
      {"held until just before it", {{700, 1, 0}, {999, 0, 1}, {1016, 0, 0}, {1100, 0, 0}}, 0},
      {"another lane", {{1000, 2, 0}, {1100, 0, 2}}, 0},
      {"avoided", {{1000, 0, 0}, {1071, 0, 0}}, 0},
  };
  for (const MineCase& c : cases) {
    ResetPlay();
    MineList = {Note{0, 1000, 0}};
    Combo = 5;
    Play(c.frames);
    EXPECT_EQ(MinesHit, c.hit) << c.what;
    EXPECT_EQ(Combo, c.hit ? 0 : 5) << c.what;
    EXPECT_TRUE(MineList.empty()) << c.what << ": gone once passed";
    EXPECT_EQ(PopupList.empty() ? -1 : PopupList[0].rating, c.hit ? Mine : -1) << c.what;
    EXPECT_EQ(BooCount + GoodCount + PerfectCount, 0) << c.what << ": no judgement of a note";
  }
}

struct RollCase {
  const char* what;
  std::vector<int> taps;  // song times of the down column's presses
  bool holdBetween;       // the key stays down between taps
  int perfect, boo;
};

// A roll in the down column from 1000 to 3000; frames every 100 ms and at each tap.
TEST(Rolls, LiveWhileTappedAtLeastEveryFiveHundredMilliseconds) {
  const RollCase cases[] = {
      {"tapped every 500 ms", {1000, 1500, 2000, 2500}, false, 1, 0},
      {"a gap of 501 ms", {1000, 1500, 2001, 2500}, false, 0, 1},
      {"tapped every 200 ms", {1000, 1200, 1400, 1600, 1800, 2000, 2200, 2400, 2600, 2800}, false, 1, 0},
      {"held without tapping", {1000}, true, 0, 1},
      {"never taken", {}, false, 0, 1},
      {"head taken 199 ms early", {801, 1300, 1800, 2300, 2700}, false, 1, 0},
  };
  for (const RollCase& c : cases) {
    ResetPlay();
    NoteList = {Note{1, 1000, 2000, true}};
    std::vector<Frame> frames;
    size_t next = 0;
    for (int t = 700; t <= 3400; t += 100) {
      for (; next < c.taps.size() && c.taps[next] <= t; ++next) frames.push_back({c.taps[next], 2, 0});
      frames.push_back({t, 0, c.holdBetween && next > 0 ? 2 : 0});
    }
    Play(frames);
    EXPECT_EQ(PerfectCount, c.perfect) << c.what;
    EXPECT_EQ(BooCount, c.boo) << c.what;
    EXPECT_TRUE(NoteList.empty()) << c.what;
  }
}

// Arrows by beat: a place's colour in the column's shape; a chart without places by column.
TEST(BeatColours, NotesWithAPlaceTakeItsCellAndMinesTheirOwn) {
  ResetPlay();
  InstallTestSheets();
  for (SDL_Surface* old : {BeatArrowSheet, MineSheet}) SDL_FreeSurface(old);
  BeatArrowSheet = MakeImage(280, 560, 0, 0, 0);
  MineSheet = MakeImage(70, 70, 0x12, 0x34, 0x56);
  MineCell = MakeRect(0, 0, 70, 70);
  for (int i = 0; i < 32; ++i) BeatArrowCells[i] = MakeRect(70 * (i % 4), 70 * (i / 4), 70, 70);
  Paint(BeatArrowSheet, 0, 0, 70, 70, 0x800000);    // quarter, left
  Paint(BeatArrowSheet, 70, 210, 70, 70, 0x800D00);  // sixteenth, down: cell 1 + 4 x 3
  PreparePlaySheets();
  FillScreen(0, 0, 0);
  NoteList = {Note{0, 0, 0, false, BeatPlace::Quarter}, Note{1, 0, 0, false, BeatPlace::Sixteenth},
              Note{2, 0, 0, false, BeatPlace::Unknown}};
  MineList = {Note{3, 0, 0}};
  ArrowColoursByBeat = true;
  EXPECT_EQ(DrawNotes(), 3);
  ArrowColoursByBeat = false;
  EXPECT_EQ(ScreenPixel(ColumnX[0] + 5, 60), 0x800000u);
  EXPECT_EQ(ScreenPixel(ColumnX[1] + 5, 60), 0x800D00u);
  EXPECT_EQ(ScreenPixel(ColumnX[2] + 5, 60), ArrowColour(2, 3));  // no place: the column's colour
  EXPECT_EQ(ScreenPixel(ColumnX[3] + 5, 60), 0x123456u);
}

}  // namespace
