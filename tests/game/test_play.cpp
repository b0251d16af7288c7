// The play screen's drawing: notes, holds, targets, rating words and counters.
#include <gtest/gtest.h>

#include "game/play.h"
#include "game/play_helpers.h"

namespace {

struct PlayDrawing : testing::Test {
  void SetUp() override {
    ResetPlay();
    InstallTestSheets();
    FillScreen(0, 0, 0);
  }
};

struct HoldCase {
  int hold;
  std::vector<std::pair<int, Uint32>> rows;  // screen row below the strip's top, colour there
};

class HoldGeometry : public PlayDrawing, public testing::WithParamInterface<HoldCase> {};

TEST_P(HoldGeometry, StartBodyPieceAndEnd) {
  DrawHold(195, 100, GetParam().hold);
  for (auto [row, colour] : GetParam().rows) EXPECT_EQ(ScreenPixel(200, 100 + row), colour) << row;
  EXPECT_EQ(ScreenPixel(194, 101), 0u);
  EXPECT_EQ(ScreenPixel(244, 101), HoldColours[0]);
}

// 500 ms: body cells at 35 and 70, a 30-row piece at 105, the end at 135.
// 170 ms: a 34-row piece at 35, the end at 69. A billion ms reaches the bottom.
INSTANTIATE_TEST_SUITE_P(
    Holds, HoldGeometry,
    testing::Values(HoldCase{500,
                             {{0, HoldTops[0]},
                              {35, HoldTops[1]},
                              {70, HoldTops[1]},
                              {105, HoldTops[1]},
                              {134, HoldColours[1]},
                              {135, HoldTops[2]},
                              {169, HoldColours[2]},
                              {170, 0}}},
                    HoldCase{170,
                             {{0, HoldTops[0]},
                              {34, HoldColours[0]},
                              {35, HoldTops[1]},
                              {68, HoldColours[1]},
                              {69, HoldTops[2]},
                              {103, HoldColours[2]},
                              {104, 0}}},
                    HoldCase{1000000000, {{35, HoldTops[1]}, {350, HoldTops[1]}, {379, HoldColours[1]}}},
                    HoldCase{INT32_MIN, {{0, HoldTops[0]}, {35, 0}, {-1, 0}}}));

TEST_F(PlayDrawing, NotesAreDrawnWhileTheirArrowReachesTheWindow) {
  AddNote(0, 2150);        // y 480
  AddNote(2, -600, 1000);  // y -70: its strip is skipped with it
  AddNote(7, 100, 300);
  EXPECT_EQ(DrawNotes(), 0);
  EXPECT_EQ(ScreenPixel(340, 100), 0u);
  NoteList[0].time = 2145;  // y 479
  NoteList[1].time = -595;  // y -69
  EXPECT_EQ(DrawNotes(), 2);
  EXPECT_EQ(ScreenPixel(185, 479), ArrowColour(0, 3));
  EXPECT_EQ(ScreenPixel(185, 478), 0u);
  EXPECT_EQ(ScreenPixel(320, 0), ArrowColour(2, 3));
  EXPECT_EQ(ScreenPixel(340, 1), HoldTops[1]);  // below the arrow, the second body cell
}

TEST_F(PlayDrawing, TargetRowsFollowTheColumnTimers) {
  ColumnTimer[1] = 1;
  ColumnTimer[2] = 125;
  ColumnTimer[3] = 2;
  DrawTargets();
  const int rows[4] = {1, 2, 0, 0};  // idle, held, just pressed, counting down
  for (int c = 0; c < 4; ++c) EXPECT_EQ(ScreenPixel(ColumnX[c] + 60, 119), ArrowColour(c, rows[c]));
}

// With 16 ms frames a popup rises a pixel a frame, from y 50 to y -50.
TEST_F(PlayDrawing, PopupIsShownOnOneHundredAndOneFrames) {
  PopupList.push_back(RatingPopup{258, 50, Good});
  int frames = 0;
  for (; frames < 200; ++frames) {
    GameClockMs += 16;
    TickPlay(false);
    if (PopupList.empty()) break;
    EXPECT_EQ(PopupList[0].y, 50 - frames);
  }
  EXPECT_EQ(frames, 101);
  PopupList.push_back(RatingPopup{258, 50, Good});
  DrawPopups();
  EXPECT_EQ(ScreenPixel(258, 50), RatingColours[Good]);
}

// Six hundred misses in one frame: the list grows past 500 and keeps every word.
// One judgement word at a time: the newest replaces any still rising.
TEST_F(PlayDrawing, ADenseChartShowsOnlyItsNewestWord) {
  for (int i = 0; i < 600; ++i) AddNote(i % 4, i);
  AddNote(0, 2100);
  PopupList = {RatingPopup{258, 20, Good}};  // a word still rising
  KeyStates[ColumnKeys[0]] = KeyState::Pressed;
  GameClockMs = 2100;
  TickPlay(false);  // 600 misses and a PERFECT in one frame
  ASSERT_EQ(PopupList.size(), 1u);
  EXPECT_EQ(PopupList[0].rating, Perfect);
  EXPECT_EQ(PopupList[0].y, 50);
}

TEST_F(PlayDrawing, CounterLinesShowComboFromThree) {
  Combo = 2;
  EXPECT_EQ(CounterLines(), (std::vector<std::string>{"0 BOO", "0 GOOD", "0 PERFECT"}));
  Combo = 3;
  EXPECT_EQ(CounterLines().back(), "3 COMBO");
}

TEST_F(PlayDrawing, WithoutMusicTheResultsFollowAtOnceAndBackLeaves) {
  CurrentMusic = nullptr;
  Combo = 4;
  GameClockMs = 40;
  EXPECT_EQ(RunPlayScreen(), PlayOutcome::Finished);
  EXPECT_EQ(FrameDelta, 40);
  EXPECT_EQ(LongestCombo, 4);
  ResetInput(550, 435);
  MouseButtons[1] = KeyState::Pressed;
  EXPECT_EQ(RunPlayScreen(), PlayOutcome::Abandoned);
}

}  // namespace
