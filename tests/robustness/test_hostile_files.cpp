// Files that are not what they seem (a FIFO, a device, a file past the size
// limit) read at once as files that cannot be read; a line cut by the limit is
// never read; saves keep the old file's mode, refuse a read-only file and say
// on screen why they failed; the sweep after a crash takes only our own files.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <filesystem>
#include <string>
#include <vector>

#include "charts/chart_file.h"
#include "charts/safe_file.h"
#include "charts/score_file.h"
#include "charts/settings_file.h"
#include "charts/step_import.h"
#include "game/play_state.h"
#include "game/preview.h"
#include "kit/clock.h"
#include "robustness/robustness_support.h"
#include "screens/chart_import.h"
#include "screens/results.h"
#include "screens/screen_state.h"
#include "test_support.h"

namespace {

namespace fs = std::filesystem;

struct HostileFile : testing::TestWithParam<const char*> {
  ScratchFolder scratch;
};

TEST_P(HostileFile, EveryReaderReturnsAtOnceWithNothing) {
  WriteTextFile("Music/Song.mp3.tq", "old");
  const std::string kind = GetParam();
  if (kind == "Fifo") mkfifo("Music/x", 0644);
  if (kind == "DevZero") fs::create_symlink("/dev/zero", "Music/x");
  if (kind == "Sparse") WriteTextFile("Music/x", ""), fs::resize_file("Music/x", MostFileBytes + 1);
  bool flags[DifficultyCount] = {true, true, true, true, true};
  ReadChartDifficulties("Music/x", flags);
  for (bool present : flags) EXPECT_FALSE(present);
  EXPECT_TRUE(ReadChartSection("Music/x", Easy).empty());
  int scores[DifficultyCount] = {7, 7, 7, 7, 7};
  ReadBestScores("Music/x", scores);
  for (int score : scores) EXPECT_EQ(score, NeverPlayed);
  EXPECT_EQ(ImportStepFile("Music/x", "Music/Song.mp3.tq"), ImportResult::CannotRead);
  EXPECT_EQ(ReadTextFile("Music/Song.mp3.tq"), "old");
  std::vector<std::string> problems;
  EXPECT_EQ(ReadSettingsFile("Music/x", problems).padDown, 1);
  EXPECT_EQ(problems.size(), 1u);  // one line says why the defaults are used
  EXPECT_EQ(IsReadableFile("Music/x"), kind == "Sparse");  // the song start's check: a regular file may go
  UpdatePreview("x", "");  // the song list's preview loads the lit song after a while
  GameClockMs += PreviewDelayMs;
  UpdatePreview("x", "");
  EXPECT_FALSE(PreviewPlaying());
  StopPreview();
}

INSTANTIATE_TEST_SUITE_P(Files, HostileFile, testing::Values("Fifo", "DevZero", "Sparse"),
                         [](const auto& info) { return std::string(info.param); });

// A score file whose last number straddles the 16 MB: not read as its first digit.
TEST(FileStart, ALineCutByTheLimitIsNeverRead) {
  ScratchFolder scratch;
  WriteTextFile("s.score", "1\n2\n3\n4\n" + std::string(MostFileBytes - 9, '\n') + "55\n");
  int scores[DifficultyCount];
  ReadBestScores("s.score", scores);
  EXPECT_EQ(scores[3], 4);
  EXPECT_EQ(scores[4], NeverPlayed);
}

TEST(StaleTempFiles, OnlyOursGoAndOnlyTwoFoldersDown) {
  ScratchFolder scratch;
  const std::vector<std::string> ours = {"Music/.zedov-tmp-a1B2c3", "Music/Pack/.zedov-tmp-x",
                                         "Music/Pack/Song/.zedov-tmp-Q9"};
  const std::vector<std::string> others = {"Music/zedov-tmp-1", "Music/.zedov-tmp", "Music/.zedov-tmp-dir/1",
                                           ".zedov-tmp-beside", "Music/Pack/Song/Deep/.zedov-tmp-1"};
  for (const std::string& path : ours) WriteTextFile(path, "x");
  for (const std::string& path : others) WriteTextFile(path, "x");
  fs::create_symlink("../.zedov-tmp-beside", "Music/.zedov-tmp-link");  // a link is not ours
  RemoveStaleTempFiles("Music", 2);
  for (const std::string& path : ours) EXPECT_FALSE(fs::exists(path)) << path;
  for (const std::string& path : others) EXPECT_TRUE(fs::exists(path)) << path;
  EXPECT_TRUE(fs::is_symlink("Music/.zedov-tmp-link"));
}

mode_t ModeOf(const char* path) {
  struct stat status {};
  return stat(path, &status) == 0 ? status.st_mode & 07777 : 0;
}

TEST(Saves, KeepTheReplacedFilesModeAndRefuseAReadOnlyFile) {
  ScratchFolder scratch;
  mode_t mask = umask(022);
  std::string why;
  ASSERT_TRUE(ReplaceFile("c.tq", "1", why));
  EXPECT_EQ(ModeOf("c.tq"), 0644u);
  chmod("c.tq", 0604);
  ASSERT_TRUE(ReplaceFile("c.tq", "2", why));
  EXPECT_EQ(ModeOf("c.tq"), 0604u);
  chmod("c.tq", 0444);
  EXPECT_FALSE(ReplaceFile("c.tq", "3", why));
  EXPECT_EQ(why, "the file is read-only");
  EXPECT_EQ(ReadTextFile("c.tq"), "2");
  EXPECT_EQ(std::distance(fs::directory_iterator("."), fs::directory_iterator()), 1);
  umask(mask);
}

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
  EnterScreen(Results);
  EXPECT_EQ(BestScores[Hard], 40);  // 100 was not kept, so it is not shown
  EnterScreen(ChartImport);
  ClickInScreen(320, 95);  // Steps.sm
  ClickInScreen(220, 255);  // "Replace"
  EXPECT_EQ(Screen, ChartImport);
  setrlimit(RLIMIT_FSIZE, &before);
  EXPECT_EQ(ResultsNotice, "could not save the best score: file too large");
  EXPECT_EQ(ImportNotice, "could not save the chart: file too large");
  EXPECT_EQ(ReadTextFile("Music/Song.mp3.tq"), chart);
  EXPECT_EQ(ReadTextFile("Music/Song.mp3.score"), scores);
  EXPECT_EQ(std::distance(fs::directory_iterator("Music"), fs::directory_iterator()), 3);
  ResetPlayState();
  Screen = Title;
}

}  // namespace
