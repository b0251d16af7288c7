#include <gtest/gtest.h>
#include <sys/resource.h>

#include <fstream>
#include <string>

#include "app/screen_state.h"
#include "charts/chart_file.h"
#include "charts/score_file.h"
#include "charts/chart_file.h"
#include "kit/input.h"
#include "screens/difficulty_select.h"
#include "test_support.h"

namespace {

std::string ScanChart(const std::string& text) {
  WriteTextFile("c.tq", text);
  bool flags[DifficultyCount];
  ReadChartDifficulties("c.tq", flags);
  std::string s;
  for (bool f : flags) s += f ? '1' : '0';
  return s;
}

std::string ReadScores(const std::string& text, const char* path = "s.score") {
  WriteTextFile("s.score", text);
  int scores[DifficultyCount] = {7, 7, 7, 7, 7};  // the reader must set every one
  ReadBestScores(path, scores);
  std::string s;
  for (int v : scores) s += std::to_string(v) + " ";
  return s;
}

long PeakMemoryKb() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

}  // namespace

TEST(ChartScan, TagsArePrefixesOfWhiteSpaceSeparatedWords) {
  ScratchFolder scratch;
  EXPECT_EQ(ScanChart("<starteasy>\n0\n10\n0\n----\n<stop>\n<starthard>\n<stop>\n"), "01010");
  EXPECT_EQ(ScanChart("<starteasy>\r\n0\r\n<stop>\r\n<starthard>\r\n<stop>\r\n"), "01010");
  EXPECT_EQ(ScanChart("<startchallenge> <stop>\t<startbeginner><stop> <startmedium>"), "10101");
  EXPECT_EQ(ScanChart("<starthard>xyz"), "00010");
  EXPECT_EQ(ScanChart("x<starthard> <StartEasy> <start\nmedium> 0 ----"), "00000");
  std::string longest = "<starthard>" + std::string(LongestChartToken - 11, 'x');
  EXPECT_EQ(ScanChart(longest + " <startmedium>" + std::string(LongestChartToken, 'x') + " <starteasy>"),
            "01010");  // the medium word is too long
  EXPECT_EQ(ScanChart(std::string(4090, ' ') + "<startmedium>"), "00100");  // across read pieces
  bool flags[DifficultyCount] = {true, true, true, true, true};
  ReadChartDifficulties("missing.tq", flags);
  for (bool f : flags) EXPECT_FALSE(f);
}

TEST(ChartScan, HugeWordsAndBinaryFilesAreReadInBoundedPieces) {
  ScratchFolder scratch;
  {
    std::ofstream out("huge.tq", std::ios::binary);
    std::string block(1 << 20, '<');
    for (int i = 0; i < 100; ++i) out << block;  // one word of 100 MB
    out << "\n<startchallenge>\n";
  }
  bool flags[DifficultyCount];
  long before = PeakMemoryKb();
  ReadChartDifficulties("huge.tq", flags);
  EXPECT_LT(PeakMemoryKb() - before, 32 * 1024);
  EXPECT_TRUE(flags[Challenge]);
  EXPECT_EQ(ScanChart(std::string("\0\xff\x01 <starteasy>\n\x80", 17)), "01000");
}

TEST(BestScoreReader, TheFirstFailedReadZeroesThatScoreAndAllLater) {
  ScratchFolder scratch;
  EXPECT_EQ(ReadScores("10\r\n20\n 30\t40 50 60"), "10 20 30 40 50 ");
  EXPECT_EQ(ReadScores("57\n100\n"), "57 100 0 0 0 ");
  EXPECT_EQ(ReadScores("12\nabc\n30\n40\n50\n"), "12 0 0 0 0 ");
  EXPECT_EQ(ReadScores("12abc 30"), "12 0 0 0 0 ");
  EXPECT_EQ(ReadScores("1 2147483647 2147483648 4 5"), "1 2147483647 0 0 0 ");  // beyond int
  EXPECT_EQ(ReadScores(std::string("3 \xff\0\x80", 5)), "3 0 0 0 0 ");
  EXPECT_EQ(ReadScores("4 " + std::string(1 << 20, '9')), "4 0 0 0 0 ");
  EXPECT_EQ(ReadScores("1 2 3", "missing.score"), "0 0 0 0 0 ");
}

namespace {

class DifficultySelectTest : public testing::Test {
 protected:
  void SetUp() override {
    SelectedSong = "Track.MP3";
    Screen = DifficultySelect;
    ResetInput();
  }
  void TearDown() override { Screen = Title, ScreenChanged = false, ResetInput(); }
  void Enter(const std::string& chart, const std::string& scores = "") {
    if (!chart.empty()) WriteTextFile("Music/Track.MP3.tq", chart);
    if (!scores.empty()) WriteTextFile("Music/Track.MP3.score", scores);
    ScreenChanged = true;
    RunDifficultySelect();
    ScreenChanged = false;
  }
  // One frame with a click at (x, y); gives the screen it chose.
  int ClickRow(int y, int x = 320) {
    Screen = DifficultySelect;
    ResetInput(x, y);
    MouseButtons[1] = Pressed;
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
      EXPECT_EQ(ClickRow(95 + 40 * i), SongStart) << c.chart;
      EXPECT_EQ(SelectedDifficulty, c.rows[i]) << c.chart;
    }
    EXPECT_EQ(ClickRow(c.create - 40), DifficultySelect) << c.chart;  // the gap
    EXPECT_EQ(ClickRow(c.create), ChartCreate) << c.chart;
    EXPECT_EQ(ClickRow(c.create + 40), ChartImport) << c.chart;
  }
  EXPECT_EQ(ClickRow(435, 550), SongSelect);
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
  EXPECT_EQ(BestScores[Easy], 0);
}
