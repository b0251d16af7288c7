// The difficulty select: its rows, best scores and the way to the chart makers.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "charts/score_file.h"
#include "kit/focus.h"
#include "kit/input.h"
#include "screens/difficulty_select.h"
#include "screens/screen_state.h"
#include "test_support.h"

namespace {

class DifficultySelectTest : public testing::Test {
 protected:
  void SetUp() override {
    SelectedSong = "Track.MP3";
    Screen = ScreenId::DifficultySelect;
    ResetInput();
  }
  void TearDown() override { Screen = ScreenId::Title, ScreenChanged = false, ResetInput(); }
  void Enter(const std::string& chart, const std::string& scores = "") {
    if (!chart.empty()) WriteTextFile("Music/Track.MP3.tq", chart);
    if (!scores.empty()) WriteTextFile("Music/Track.MP3.score", scores);
    ScreenChanged = true;
    RunDifficultySelect();
    ScreenChanged = false;
  }
  // One frame with a click at (x, y); gives the screen it chose.
  ScreenId ClickRow(int y, int x = 320) {
    Screen = ScreenId::DifficultySelect;
    ResetInput(x, y);
    MouseButtons[1] = KeyState::Pressed;
    RunDifficultySelect();
    ResetInput();
    return Screen;
  }
  ScratchFolder scratch;
};

}  // namespace

TEST_F(DifficultySelectTest, RowsCloseUpAndTheChartButtonsFollowThem) {
  struct Case { const char* chart; int rows[5]; int count; int create; };
  // No chart file, then one without tags, then charted difficulties in other orders.
  for (const Case& c : {Case{"", {}, 0, 95}, Case{"0 10 0 ---- <stop>", {}, 0, 95},
                        Case{"<starteasy>", {Easy}, 1, 175}, Case{"<starthard>", {Hard}, 1, 175},
                        Case{"<starthard>0 1 0 ---- <stop>\n<starteasy>", {Easy, Hard}, 2, 215},
                        Case{"<startchallenge> <startbeginner> <starthard> <starteasy> <startmedium>",
                             {0, 1, 2, 3, 4}, 5, 335}}) {
    Enter(c.chart);
    for (int i = 0; i < c.count; ++i) {
      EXPECT_EQ(ClickRow(95 + 40 * i), ScreenId::SongStart) << c.chart;
      EXPECT_EQ(SelectedDifficulty, c.rows[i]) << c.chart;
    }
    EXPECT_EQ(ClickRow(c.create - 40), ScreenId::DifficultySelect) << c.chart;  // the gap
    EXPECT_EQ(ClickRow(c.create), ScreenId::ChartCreate) << c.chart;
    EXPECT_EQ(ClickRow(c.create + 40), ScreenId::ChartImport) << c.chart;
  }
  EXPECT_EQ(ClickRow(435, 550), ScreenId::SongSelect);
}

TEST_F(DifficultySelectTest, FilesAreReadOnEveryEntryOnly) {
  Enter("<starteasy>", "0 41 0 57");
  EXPECT_EQ(BestScores[Easy], 41);
  EXPECT_EQ(BestScores[Hard], 57);
  WriteTextFile("Music/Track.MP3.score", "90");
  RunDifficultySelect();
  EXPECT_EQ(BestScores[Easy], 41);
  Enter("<startbeginner>");
  EXPECT_TRUE(ChartHasDifficulty[Beginner] && !ChartHasDifficulty[Easy]);
  EXPECT_EQ(BestScores[Beginner], 90);
  EXPECT_EQ(BestScores[Easy], NeverPlayed);
}

// A chart never played shows no score, a real 0 % shows; back from a song the
// focus starts on the row of the chart just played.
TEST_F(DifficultySelectTest, NeverPlayedShowsNoScoreAndTheFocusComesBackToThePlayedRow) {
  struct Case { int best; const char* label; };
  for (const Case& c : {Case{NeverPlayed, ""}, Case{0, "0%"}, Case{57, "57%"}}) {
    BestScores[Easy] = c.best;
    EXPECT_EQ(BestScoreLabel(Easy), c.label);
  }
  ClearFocus();
  Enter("<starteasy> <starthard>");
  EXPECT_EQ(FocusedId, 0u) << "entered from the song list: no focus";
  SelectedDifficulty = Hard;
  FocusPlayedChart = true;
  Enter("<starteasy> <starthard>");
  EXPECT_EQ(FocusedId, FocusIdOf("hard"));
  EXPECT_FALSE(FocusDrawn()) << "placed for the keys, but a mouse player sees only the pointer's button lit";
  EXPECT_FALSE(FocusPlayedChart);
  ClearFocus();
}
