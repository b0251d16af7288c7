// High-score files holding what the game never writes: negative, huge and
// non-numeric values, a folder in the file's place. The difficulty select and
// the results read them the same way, keep every value they could read (one
// below zero is a chart never played), and
// the game goes on.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "charts/chart_file.h"
#include "charts/score_file.h"
#include "game/play_state.h"
#include "game/song_start.h"
#include "app/app_support.h"
#include "screens/difficulty_select.h"
#include "screens/results.h"
#include "screens/screen_state.h"
#include "test_support.h"

namespace {

namespace fs = std::filesystem;

struct Case {
  const char* text;
  std::vector<int> bests;
};

// The reader's own cases are in its unit table; these are the kinds the results rewrite.
const Case Cases[] = {
    {"-5\n-2147483648\n0\n-1\n-100\n", {-1, -1, 0, -1, -1}},  // below zero: never played
    {"2147483647 100 1000000 99999 7", {INT32_MAX, 100, 1000000, 99999, 7}},
    {"12\nabc\n5\n5\n5\n", {12, -1, -1, -1, -1}},
    {"1 2 3", {1, 2, 3, -1, -1}},
    {"", {-1, -1, -1, -1, -1}},
};

std::vector<int> AsVector(const int* scores) { return std::vector<int>(scores, scores + DifficultyCount); }

struct BadScores : ScratchScreens {};

TEST_F(BadScores, TheResultsRewriteTheValuesReadAndRaiseOnlyTheirOwn) {
  for (const Case& c : Cases) {
    SCOPED_TRACE(c.text);
    WriteTextFile("Music/S.mp3.score", c.text);
    SelectedSong = "S.mp3";
    EnterScreen(ScreenId::DifficultySelect);
    EXPECT_EQ(AsVector(BestScores), c.bests);
    // A play of medium that scores 63: one GOOD.
    SelectedDifficulty = Medium;
    ResetPlayState();
    GoodCount = 1;
    EnterScreen(ScreenId::Results);
    std::vector<int> expected = c.bests;
    EXPECT_EQ(PreviousBest, expected[Medium]);
    if (63 > expected[Medium]) expected[Medium] = 63;
    std::string text;
    for (int best : expected) text += std::to_string(best) + "\n";
    EXPECT_EQ(ReadTextFile("Music/S.mp3.score"), text);
    ClickInScreen(550, 435);
    EXPECT_EQ(Screen, ScreenId::DifficultySelect);
    EnterScreen(ScreenId::DifficultySelect);
    EXPECT_EQ(AsVector(BestScores), expected);
  }
}

TEST_F(BadScores, AFolderInTheScoreFilesPlaceIsReadAsNothingAndKept) {
  WriteTextFile("Music/S.mp3.score/inside", "7\n7\n7\n7\n7\n");
  SelectedSong = "S.mp3";
  EnterScreen(ScreenId::DifficultySelect);
  EXPECT_EQ(AsVector(BestScores), (std::vector<int>{-1, -1, -1, -1, -1}));
  SelectedDifficulty = Easy;
  PerfectCount = 2;
  LongestCombo = 2;
  EnterScreen(ScreenId::Results);
  EXPECT_EQ(BestScores[Easy], NeverPlayed);  // the file cannot be written, so the best is not raised
  EXPECT_TRUE(ResultsNotice.starts_with("could not save the best score: ")) << ResultsNotice;
  EXPECT_TRUE(fs::is_directory("Music/S.mp3.score"));
  EXPECT_EQ(ReadTextFile("Music/S.mp3.score/inside"), "7\n7\n7\n7\n7\n");
  size_t entries = 0;
  for ([[maybe_unused]] const auto& entry : fs::directory_iterator("Music")) ++entries;
  EXPECT_EQ(entries, 1u) << "a temporary file was left behind";
}

}  // namespace
