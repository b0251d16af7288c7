// The results: points, the score percentage and the best score file.
#include <gtest/gtest.h>

#include <algorithm>

#include "charts/chart_file.h"
#include "charts/score_file.h"
#include "game/play_state.h"
#include "game/press_timing.h"
#include "game/song_start.h"
#include "kit/images.h"
#include "kit/input.h"
#include "screens/difficulty_select.h"
#include "screens/results.h"
#include "screens/screen_state.h"
#include "test_support.h"

namespace {

struct ScoreCase {
  int boo, good, perfect, longest, score;
};

class Scoring : public testing::TestWithParam<ScoreCase> {};

TEST_P(Scoring, DividesBeforeMultiplying) {
  BooCount = GetParam().boo;
  GoodCount = GetParam().good;
  PerfectCount = GetParam().perfect;
  LongestCombo = GetParam().longest;
  EXPECT_EQ(ScorePercent(YourPoints(), MaxPoints()), GetParam().score);
}

// 319 of 550 points is 57%; all PERFECT in one combo 100%; all BOO and no notes 0%.
INSTANTIATE_TEST_SUITE_P(Plays, Scoring,
                         testing::Values(ScoreCase{17, 8, 25, 13, 57}, ScoreCase{0, 0, 40, 40, 100},
                                         ScoreCase{0, 0, 40, 39, 99}, ScoreCase{30, 0, 0, 0, 0},
                                         ScoreCase{0, 0, 0, 0, 0}));

// A mine hit takes 10 of YOUR POINTS, never below 0, and nothing of MAX POINTS.
TEST(Scoring, MinesHitTakeTenPointsEach) {
  BooCount = GoodCount = 0;
  PerfectCount = LongestCombo = 10;
  for (int hit : {0, 1, 11, 12}) {
    MinesHit = hit;
    EXPECT_EQ(YourPoints(), std::max(0, 110 - 10 * hit)) << hit;
    EXPECT_EQ(MaxPoints(), 110);
  }
  MinesHit = 0;
}

struct ScoreFile : testing::Test {
  void SetUp() override {
    OpenTestScreen();
    ResetInput();
    SelectedSong = "Song.mp3";
    for (int& best : BestScores) best = 0;
    WriteTextFile("Music/other", "");
  }
  std::string Written() { return ReadTextFile("Music/Song.mp3.score"); }
  ScratchFolder scratch;
};

TEST_F(ScoreFile, FirstFrameKeepsTheOldBestRaisesItAndWritesFiveLines) {
  WriteTextFile("Music/Song.mp3.score", "12\n40");  // only two numbers
  ReadBestScores("Music/Song.mp3.score", BestScores);
  SelectedDifficulty = Hard;
  RecordBest(57);
  EXPECT_EQ(PreviousBest, NeverPlayed);
  EXPECT_TRUE(NewBest);
  EXPECT_EQ(Written(), "12\n40\n-1\n57\n-1\n");
  RecordBest(57);  // equal: the same values again
  EXPECT_EQ(PreviousBest, 57);
  EXPECT_FALSE(NewBest);
  EXPECT_EQ(Written(), "12\n40\n-1\n57\n-1\n");
  SelectedDifficulty = Easy;
  RecordBest(39);
  EXPECT_EQ(BestScores[Easy], 40);
}

TEST_F(ScoreFile, OnlyTheFirstFrameWritesAndBackLeaves) {
  PerfectCount = LongestCombo = 10;
  BooCount = GoodCount = 0;
  SelectedDifficulty = Medium;
  ScreenChanged = false;
  RunResults();
  EXPECT_EQ(Written(), "");
  ScreenChanged = true;
  RunResults();
  EXPECT_EQ(Written(), "0\n0\n100\n0\n0\n");
  ResetInput(510, 438);
  MouseButtons[1] = KeyState::Pressed;
  RunResults();
  EXPECT_EQ(Screen, ScreenId::DifficultySelect);
  EXPECT_TRUE(FocusPlayedChart) << "the difficulty select's focus goes to the chart just played";
  FocusPlayedChart = false;
  Screen = ScreenId::Results;
  ResetInput(400, 438);
  MouseButtons[1] = KeyState::Pressed;
  RunResults();
  EXPECT_EQ(Screen, ScreenId::SongStart) << "Play again";
}

TEST_F(ScoreFile, PathsOfAnyLengthAndNoTemporaryFilesLeft) {
  for (int i = 0; i < 12; ++i) SelectedSong = std::string(40, 'a' + i) + "/" + SelectedSong;
  WriteTextFile("Music/" + SelectedSong + ".x", "");
  SelectedDifficulty = Challenge;
  RecordBest(12);
  EXPECT_EQ(ReadTextFile("Music/" + SelectedSong + ".score"), "0\n0\n0\n0\n12\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(
                              std::filesystem::path("Music/" + SelectedSong).parent_path()),
                          std::filesystem::directory_iterator()),
            2);
}

// The line printed when the results appear, for a terminal or a script.
TEST(PlayLineTest, CountsAndTimingInTheirExactForm) {
  SelectedSong = "First Steps.mp3";
  SelectedDifficulty = Medium;
  PerfectCount = 25, GoodCount = 8, BooCount = 17;
  EXPECT_EQ(PlayLine(57, SummariseTiming({{100, 3, Perfect}, {200, 5, Good}})),
            "Zedov: \"First Steps\" medium: 57%, 25 perfect, 8 good, 17 boo; timing mean +4.0 ms, sd 1.0 ms over 2 presses");
  EXPECT_EQ(PlayLine(0, SummariseTiming({})),
            "Zedov: \"First Steps\" medium: 0%, 25 perfect, 8 good, 17 boo; timing mean +0.0 ms, sd 0.0 ms over 0 presses");
  PerfectCount = GoodCount = BooCount = 0;
}

}  // namespace
