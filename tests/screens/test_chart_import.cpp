// The import screen: the list of step files and what an import writes.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "charts/library.h"
#include "charts/step_file.h"
#include "charts/step_import.h"
#include "charts/step_text.h"
#include "kit/input.h"
#include "screens/chart_import.h"
#include "screens/screen_state.h"
#include "test_support.h"

namespace {

struct ImportScreenTest : ::testing::Test {
  ScratchFolder folder;
  const std::string old = "<starthard>\n0\n1\n0\n----\n<stop>\n";
  void SetUp() override {
    OpenTestScreen();
    SelectedSong = "Track.mp3";
    ImportListScroll = 0;
    Screen = ScreenId::ChartImport;
    WriteTextFile("Music/Track.mp3.tq", old);
  }
  void TearDown() override { ResetInput(); }
  void Frame(bool entering, int x, int y) {
    ResetInput(x, y);
    MouseButtons[1] = KeyState::Pressed;
    ScreenChanged = entering;
    RunChartImport();
    ScreenChanged = false;
  }
  std::string Chart() { return ReadTextFile("Music/Track.mp3.tq"); }
};

TEST_F(ImportScreenTest, ImportReplacesTheChartOnlyWhenTheFileIsRead) {
  EXPECT_EQ(ImportStepFile(MusicPath("missing.sm"), ChartPath(SelectedSong)), ImportResult::CannotRead);
  EXPECT_EQ(Chart(), old);
  std::filesystem::create_directories("Music/folder.sm");  // opens, but cannot be read
  EXPECT_EQ(ImportStepFile(MusicPath("folder.sm"), ChartPath(SelectedSong)), ImportResult::CannotRead);
  EXPECT_EQ(Chart(), old);

  WriteTextFile("Music/steps.sm", At120 + Block("Medium", "0100\n"));
  EXPECT_EQ(ImportStepFile(MusicPath("steps.sm"), ChartPath(SelectedSong)), ImportResult::Written);
  EXPECT_EQ(Chart(), "<startmedium>\n1\n0\n0\n----4\n<stop>\n<meter>\n1\n<stop>\n");
  int files = 0;  // no temporary file is left beside the chart
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("Music")) ++files;
  EXPECT_EQ(files, 3);
  // Read, but nothing to play: junk, an empty file, only doubles, only Edit charts.
  const std::string written = Chart();
  for (const std::string& text : {std::string("#TITLE:x;\n"), std::string(), std::string("\x01\x02junk"),
                                   ReadTextFile(OwnData + "doubles-only.sm"), At120 + Block("Edit", "1000\n")}) {
    WriteTextFile("Music/none.sm", text);
    EXPECT_EQ(ImportStepFile(MusicPath("none.sm"), ChartPath(SelectedSong)), ImportResult::NoChart);
    EXPECT_EQ(Chart(), written);
  }
}

// A step file with nothing to play is named on the screen at its click,
// before any question, and the song's chart stays.
TEST_F(ImportScreenTest, AFileWithoutAChartIsRefusedByNameBeforeTheQuestion) {
  WriteTextFile("Music/empty.sm", "");
  Frame(true, 320, 95);
  EXPECT_EQ(ImportNotice, "no dance-single chart in empty.sm");
  Frame(false, 220, 255);  // where "Replace" would be: no question came up
  EXPECT_EQ(Screen, ScreenId::ChartImport);
  EXPECT_EQ(Chart(), old);
}

TEST_F(ImportScreenTest, ListsStepFilesSevenAtATimeWithScrollControls) {
  WriteTextFile("Music/Track.mp3", "");
  for (char c = 'a'; c <= 'h'; ++c)
    WriteTextFile(std::string("Music/") + c + (c == 'b' ? ".SM" : ".sm"),
                  At120 + Block(c == 'h' ? "Challenge" : "Easy", "1000\n"));
  Frame(true, 320, 55);  // no up control at the top
  Frame(false, 320, 375);  // the down control
  EXPECT_EQ(ImportListScroll, 1);
  Frame(false, 320, 375);  // none once the last file shows
  EXPECT_EQ(ImportListScroll, 1);
  Frame(false, 320, 55);  // the up control
  EXPECT_EQ(ImportListScroll, 0);
  // Row 1, b.SM (any letter case), for a song with a chart: asked first;
  // Cancel leaves the chart and the bests byte for byte.
  const std::string bests = "0\n41\n-1\n-1\n-1\n";
  WriteTextFile("Music/Track.mp3.score", bests);
  Frame(false, 320, 135);
  EXPECT_EQ(Screen, ScreenId::ChartImport);
  Frame(false, 420, 255);  // Cancel
  EXPECT_EQ(Chart(), old);
  EXPECT_EQ(ReadTextFile("Music/Track.mp3.score"), bests);
  Frame(false, 320, 135);
  Frame(false, 220, 255);  // Replace
  EXPECT_EQ(Screen, ScreenId::DifficultySelect);
  EXPECT_EQ(Brief(Chart()), "easy: 0@0");
  EXPECT_EQ(ReadTextFile("Music/Track.mp3.score.old"), bests);
  EXPECT_FALSE(std::filesystem::exists("Music/Track.mp3.score"));

  Screen = ScreenId::ChartImport;
  ImportListScroll = 1;
  Frame(true, 320, 335);  // row 6 now holds h.sm
  Frame(false, 220, 255);
  EXPECT_EQ(Brief(Chart()), "challenge: 0@0");
  Screen = ScreenId::ChartImport;
  Frame(false, 550, 435);  // Back
  EXPECT_EQ(Screen, ScreenId::DifficultySelect);
}

TEST_F(ImportScreenTest, ListsSscFilesBesideSmFiles) {
  WriteTextFile("Music/a.sm", At120 + Block("Easy", "1000\n"));
  WriteTextFile("Music/B.sm", At120 + Block("Easy", "0100\n"));  // its .ssc is the one listed
  WriteTextFile("Music/b.SSC", At120 + "#NOTEDATA:;#STEPSTYPE:dance-single;#DIFFICULTY:Hard;#NOTES:0010;");
  WriteTextFile("Music/c.ssc", At120 + "#NOTEDATA:;#STEPSTYPE:dance-single;#DIFFICULTY:Medium;#NOTES:0001;");
  Frame(true, 320, 135);  // row 1: b.SSC
  Frame(false, 220, 255);  // "Replace"
  EXPECT_EQ(Brief(Chart()), "hard: 2@0");
  Screen = ScreenId::ChartImport;
  Frame(true, 320, 175);  // row 2: c.ssc
  Frame(false, 220, 255);
  EXPECT_EQ(Brief(Chart()), "medium: 3@0");
}

TEST_F(ImportScreenTest, ScrolledPastTheEndShowsOnlyTheUpControl) {
  WriteTextFile("Music/only.sm", At120 + Block("Easy", "1000\n"));
  ImportListScroll = 5;
  Frame(true, 320, 95);  // no row to click
  EXPECT_EQ(Screen, ScreenId::ChartImport);
  EXPECT_EQ(Chart(), old);
  Frame(false, 320, 55);
  EXPECT_EQ(ImportListScroll, 4);
}

}  // namespace
