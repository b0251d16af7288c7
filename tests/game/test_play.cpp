#include <gtest/gtest.h>

#include "app/screen_state.h"
#include "game/play.h"
#include "game/play_helpers.h"
#include "kit/font.h"
#include "kit/images.h"

namespace {

constexpr Uint32 Black = 0x000000;

struct PlayDrawing : testing::Test {
  void SetUp() override {
    ResetPlay();
    InstallTestSheets();
    FillScreen(0, 0, 0);
  }
};

// A 500 ms hold: 100 pixels of body, two whole cells and a 30-pixel piece.
TEST_F(PlayDrawing, HoldOfFiveHundredMilliseconds) {
  DrawHold(195, 100, 500);
  EXPECT_EQ(ScreenPixel(200, 100), HoldTopColours[0]);
  EXPECT_EQ(ScreenPixel(200, 134), HoldColours[0]);
  EXPECT_EQ(ScreenPixel(200, 135), HoldTopColours[1]);
  EXPECT_EQ(ScreenPixel(200, 170), HoldTopColours[1]);
  EXPECT_EQ(ScreenPixel(200, 205), HoldTopColours[1]);  // the piece starts like a body cell
  EXPECT_EQ(ScreenPixel(200, 234), HoldColours[1]);     // and is 30 rows high
  EXPECT_EQ(ScreenPixel(200, 235), HoldTopColours[2]);
  EXPECT_EQ(ScreenPixel(200, 269), HoldColours[2]);
  EXPECT_EQ(ScreenPixel(200, 270), Black);
  EXPECT_EQ(ScreenPixel(195, 150), HoldColours[1]);
  EXPECT_EQ(ScreenPixel(244, 150), HoldColours[1]);
  EXPECT_EQ(ScreenPixel(194, 150), Black);
  EXPECT_EQ(ScreenPixel(245, 150), Black);
}

// A 170 ms hold: no whole body cell, a 34-pixel piece, the end at y + 69.
TEST_F(PlayDrawing, HoldOfOneHundredSeventyMilliseconds) {
  DrawHold(260, 200, 170);
  EXPECT_EQ(ScreenPixel(270, 200), HoldTopColours[0]);
  EXPECT_EQ(ScreenPixel(270, 235), HoldTopColours[1]);
  EXPECT_EQ(ScreenPixel(270, 268), HoldColours[1]);
  EXPECT_EQ(ScreenPixel(270, 269), HoldTopColours[2]);
  EXPECT_EQ(ScreenPixel(270, 303), HoldColours[2]);
  EXPECT_EQ(ScreenPixel(270, 304), Black);
}

TEST_F(PlayDrawing, HoldOfABillionMillisecondsFillsTheColumnToTheBottom) {
  DrawHold(195, 100, 1000000000);
  EXPECT_EQ(ScreenPixel(200, 100), HoldTopColours[0]);
  for (int y = 135; y < 480; y += 35) EXPECT_EQ(ScreenPixel(200, y), HoldTopColours[1]) << y;
  EXPECT_EQ(ScreenPixel(200, 479), HoldColours[1]);
}

TEST_F(PlayDrawing, NegativeHoldsDrawOnlyWhatTheirNumbersGive) {
  DrawHold(195, 100, INT32_MIN);  // its other pieces lie far above the window
  EXPECT_EQ(ScreenPixel(200, 100), HoldTopColours[0]);
  EXPECT_EQ(ScreenPixel(200, 135), Black);
  EXPECT_EQ(ScreenPixel(200, 99), Black);
}

TEST_F(PlayDrawing, NoteArrowCoversTheStartOfItsHold) {
  AddNote(0, 0, 500);  // at the target row
  EXPECT_EQ(DrawNotes(), 1);
  EXPECT_EQ(ScreenPixel(185, 50), ArrowColour(0, 3));
  EXPECT_EQ(ScreenPixel(200, 119), ArrowColour(0, 3));
  EXPECT_EQ(ScreenPixel(200, 120), HoldTopColours[1]);
  EXPECT_EQ(ScreenPixel(200, 185), HoldTopColours[2]);
}

// Columns 0 and 1 overlap by five pixels (x 250 to 254).
TEST_F(PlayDrawing, LaterNotesAreDrawnOverEarlierOnes) {
  AddNote(0, 100);
  AddNote(1, 100);
  DrawNotes();
  EXPECT_EQ(ScreenPixel(252, 70), ArrowColour(1, 3));
  EmptyNoteList();
  AddNote(1, 100);
  AddNote(0, 100);
  DrawNotes();
  EXPECT_EQ(ScreenPixel(252, 70), ArrowColour(0, 3));
  EXPECT_EQ(ScreenPixel(252, 69), Black);
}

TEST_F(PlayDrawing, NotesAreDrawnOnlyWhileTheirArrowReachesTheWindow) {
  AddNote(0, 2150);  // y 480
  EXPECT_EQ(DrawNotes(), 0);
  EmptyNoteList();
  AddNote(0, 2145);  // y 479
  EXPECT_EQ(DrawNotes(), 1);
  EXPECT_EQ(ScreenPixel(185, 479), ArrowColour(0, 3));
  EXPECT_EQ(ScreenPixel(185, 478), Black);
}

TEST_F(PlayDrawing, HoldWhoseArrowIsAboveTheWindowIsNotDrawn) {
  AddNote(2, -600, 1000);  // y -70, though its strip would reach down to y 165
  EXPECT_EQ(DrawNotes(), 0);
  EXPECT_EQ(ScreenPixel(340, 0), Black);
  EXPECT_EQ(ScreenPixel(340, 100), Black);
  NoteList[0].time = -595;  // y -69
  EXPECT_EQ(DrawNotes(), 1);
  EXPECT_EQ(ScreenPixel(320, 0), ArrowColour(2, 3));
  EXPECT_EQ(ScreenPixel(340, 1), HoldTopColours[1]);
}

TEST_F(PlayDrawing, NotesOutsideTheFourColumnsAreNotDrawn) {
  AddNote(7, 100, 300);
  AddNote(-1, 100);
  EXPECT_EQ(DrawNotes(), 0);
  for (int x = 0; x < 640; x += 5) EXPECT_EQ(ScreenPixel(x, 80), Black) << x;
}

TEST_F(PlayDrawing, TargetRowFollowsTheColumnTimer) {
  ColumnTimer[0] = 0;
  ColumnTimer[1] = 1;
  ColumnTimer[2] = 125;
  ColumnTimer[3] = 2;
  DrawTargets();
  EXPECT_EQ(ScreenPixel(185, 50), ArrowColour(0, 1));   // idle
  EXPECT_EQ(ScreenPixel(250, 119), ArrowColour(1, 2));  // held
  EXPECT_EQ(ScreenPixel(320, 50), ArrowColour(2, 0));   // pressed
  EXPECT_EQ(ScreenPixel(454, 50), ArrowColour(3, 0));
  EXPECT_EQ(ScreenPixel(455, 50), Black);
}

// With 16 ms frames a popup rises one pixel a frame: drawn at y 50 down to -50.
TEST_F(PlayDrawing, PopupIsDrawnOnOneHundredAndOneFrames) {
  AppendPopup(RatingPopup{258, 50, Good});
  FrameDelta = 16;
  int frames = 0, lastY = 0;
  for (; !PopupList.empty() && frames < 1000; ++frames) {
    lastY = PopupList[0].y;
    EXPECT_EQ(lastY, 50 - frames);
    DrawPopups();
    if (frames == 0) {
      EXPECT_EQ(ScreenPixel(258, 50), RatingColours[Good]);
    }
  }
  EXPECT_EQ(frames, 101);
  EXPECT_EQ(lastY, -50);
}

TEST_F(PlayDrawing, PopupsRiseByATenthOfTheFrameTruncated) {
  AppendPopup(RatingPopup{258, 50, Boo});
  AppendPopup(RatingPopup{258, -49, Perfect});
  FrameDelta = 29;
  DrawPopups();
  ASSERT_EQ(PopupList.size(), 1u);  // -51 is gone; the rest keep their order
  EXPECT_EQ(PopupList[0].y, 48);
  EXPECT_EQ(ScreenPixel(258, 50), RatingColours[Boo]);
  FrameDelta = 9;
  DrawPopups();
  EXPECT_EQ(PopupList[0].y, 48);
}

// The list grows beyond 500: six hundred misses in one frame keep every word.
TEST_F(PlayDrawing, MorePopupsThanFiveHundredAllRiseAndGo) {
  for (int i = 0; i < 600; ++i) AddNote(i % 4, i);
  JudgeAt(2000);
  ASSERT_EQ(PopupList.size(), 600u);
  FrameDelta = 16;
  for (int frame = 0; frame < 100; ++frame) DrawPopups();
  EXPECT_EQ(PopupList.size(), 600u);
  EXPECT_EQ(PopupList[599].y, -50);
  DrawPopups();
  EXPECT_TRUE(PopupList.empty());
}

TEST_F(PlayDrawing, CounterLinesShowComboFromThree) {
  EXPECT_EQ(CounterLines(), (std::vector<std::string>{"0 BOO", "0 GOOD", "0 PERFECT"}));
  Combo = 2;
  EXPECT_EQ(CounterLines().size(), 3u);
  BooCount = 1;
  GoodCount = 12;
  PerfectCount = 345;
  Combo = 3;
  EXPECT_EQ(CounterLines(), (std::vector<std::string>{"1 BOO", "12 GOOD", "345 PERFECT", "3 COMBO"}));
}

TEST_F(PlayDrawing, CounterLinesAreCentredOnTheirRows) {
  SDL_Surface* font = FontImage;
  FontImage = SolidImage(95 * 15, 21, 0xFFFFFF);
  for (int i = 0; i < 95; ++i) GlyphRects[i] = MakeRect(15 * i, 0, 15, 21);
  Combo = 3;
  DrawCounters();
  EXPECT_EQ(ScreenPixel(293, 386), 0xFFFFFFu);  // "0 BOO" starts at 320 - 55 / 2
  EXPECT_EQ(ScreenPixel(292, 386), Black);
  EXPECT_EQ(ScreenPixel(351, 386), 0xFFFFFFu);
  EXPECT_EQ(ScreenPixel(352, 386), Black);
  EXPECT_EQ(ScreenPixel(320, 385), Black);
  for (int y : {404, 422, 440, 460}) EXPECT_EQ(ScreenPixel(320, y), 0xFFFFFFu) << y;
  EXPECT_EQ(ScreenPixel(320, 461), Black);
  SDL_FreeSurface(FontImage);
  FontImage = font;
}

struct PlayScreenWithoutMusic : PlayDrawing {
  void SetUp() override {
    PlayDrawing::SetUp();
    CurrentMusic = nullptr;
    Screen = Play;
  }
};

TEST_F(PlayScreenWithoutMusic, GoesToTheResultsOnTheFirstFrame) {
  AddNote(0, 100);
  Combo = 4;
  GameClockMs = 40;
  RunPlayScreen();
  EXPECT_EQ(Screen, Results);
  EXPECT_EQ(SongPosition, 40);
  EXPECT_EQ(FrameDelta, 40);
  EXPECT_EQ(LongestCombo, 4);
  EXPECT_EQ(NoteList.size(), 1u);  // never judged, never counted
}

TEST_F(PlayScreenWithoutMusic, BackLeavesForTheDifficultySelect) {
  ResetInput(550, 435);
  MouseButtons[1] = Pressed;
  RunPlayScreen();
  EXPECT_EQ(Screen, DifficultySelect);
  EXPECT_EQ(CurrentMusic, nullptr);
}

TEST_F(PlayScreenWithoutMusic, LongestComboKeepsTheLargestSeen) {
  LongestCombo = 7;
  Combo = 3;
  RunPlayScreen();
  EXPECT_EQ(LongestCombo, 7);
}

}  // namespace
