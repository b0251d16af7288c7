// A disk that takes no more bytes: the results and the import say on screen
// why they failed, and the old files stay.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <filesystem>
#include <string>

#include "charts/score_file.h"
#include "game/play_state.h"
#include "app/app_support.h"
#include "screens/chart_import.h"
#include "screens/results.h"
#include "screens/screen_state.h"
#include "test_support.h"

namespace {

namespace fs = std::filesystem;

TEST(Saves, AFailedSaveIsSaidInOneLineAndTheOldFilesStay) {
  ScratchFolder scratch;
  OpenTestScreen();
  const std::string chart = "<starthard>\n1\n1000\n0\n----\n<stop>\n", scores = "10\n20\n30\n40\n50\n";
  WriteTextFile("Music/Song.mp3.tq", chart);
  WriteTextFile("Music/Song.mp3.score", scores);
  WriteTextFile("Music/Steps.sm", "#BPMS:0=120;\n#NOTES:\n dance-single:\n :\n Easy:\n 1:\n 0:\n1000\n;\n");
  SelectedSong = "Song.mp3";
  ReadBestScores("Music/Song.mp3.score", BestScores);
  SelectedDifficulty = Hard;
  BooCount = GoodCount = 0;
  PerfectCount = LongestCombo = 1;
  // Every write fails, as on a full disk, under a file size limit of 0 bytes.
  rlimit before{};
  getrlimit(RLIMIT_FSIZE, &before);
  std::signal(SIGXFSZ, SIG_IGN);  // a failed write, not a killed process
  rlimit none = {0, before.rlim_max};
  setrlimit(RLIMIT_FSIZE, &none);
  EnterScreen(ScreenId::Results);
  EXPECT_EQ(BestScores[Hard], 40);  // 100 was not kept, so it is not shown
  EnterScreen(ScreenId::ChartImport);
  ClickInScreen(320, 95);  // Steps.sm
  ClickInScreen(220, 255);  // "Replace"
  EXPECT_EQ(Screen, ScreenId::ChartImport);
  setrlimit(RLIMIT_FSIZE, &before);
  EXPECT_EQ(ResultsNotice, "could not save the best score: file too large");
  EXPECT_EQ(ImportNotice, "could not save the chart: file too large");
  EXPECT_EQ(ReadTextFile("Music/Song.mp3.tq"), chart);
  EXPECT_EQ(ReadTextFile("Music/Song.mp3.score"), scores);
  EXPECT_EQ(std::distance(fs::directory_iterator("Music"), fs::directory_iterator()), 3);
  ResetPlayState();
  Screen = ScreenId::Title;
}

}  // namespace
