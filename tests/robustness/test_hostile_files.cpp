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

#include "app/screen_state.h"
#include "charts/chart_file.h"
#include "charts/safe_file.h"
#include "charts/score_file.h"
#include "charts/settings_file.h"
#include "charts/step_import.h"
#include "game/play_state.h"
#include "game/song_start.h"
#include "robustness/robustness_support.h"
#include "screens/chart_create.h"
#include "screens/chart_import.h"
#include "screens/results.h"
#include "test_support.h"

namespace {

namespace fs = std::filesystem;

struct Hostile {
  const char* name;
  void (*make)(const std::string& path);
  bool regular;  // a regular file, which the music decoder may be given
};

void MakeFifo(const std::string& path) { ASSERT_EQ(mkfifo(path.c_str(), 0644), 0); }
void LinkToZero(const std::string& path) { fs::create_symlink("/dev/zero", path); }
void MakeSparse(const std::string& path) {  // zero bytes past the limit, in no disk space
  WriteTextFile(path, "");
  fs::resize_file(path, MostFileBytes + 1);
}

struct HostileFile : testing::TestWithParam<Hostile> {
  ScratchFolder scratch;
};

TEST_P(HostileFile, EveryReaderReturnsAtOnceWithNothing) {
  WriteTextFile("Music/Song.mp3.tq", "old");
  GetParam().make("Music/x");
  bool flags[DifficultyCount] = {true, true, true, true, true};
  ReadChartDifficulties("Music/x", flags);
  for (bool present : flags) EXPECT_FALSE(present);
  EXPECT_TRUE(ReadChartSection("Music/x", Easy).empty());
  int scores[DifficultyCount] = {7, 7, 7, 7, 7};
  ReadBestScores("Music/x", scores);
  for (int score : scores) EXPECT_EQ(score, 0);
  EXPECT_EQ(ImportStepFile("Music/x", "Music/Song.mp3.tq"), ImportResult::CannotRead);
  EXPECT_EQ(ReadTextFile("Music/Song.mp3.tq"), "old");
  std::vector<std::string> problems;
  EXPECT_EQ(ReadSettingsFile("Music/x", problems).padDown, 1);
  EXPECT_EQ(problems.size(), 1u);  // one line says why the defaults are used
  EXPECT_EQ(IsReadableFile("Music/x"), GetParam().regular);
  if (GetParam().regular) return;
  OpenTestScreen();
  StartSong("x", Easy);
  EXPECT_EQ(CurrentMusic, nullptr);
  ResetPlayState();
}

INSTANTIATE_TEST_SUITE_P(Files, HostileFile,
                         testing::Values(Hostile{"Fifo", MakeFifo, false}, Hostile{"DevZero", LinkToZero, false},
                                         Hostile{"Sparse", MakeSparse, true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(FileStart, ALineCutByTheLimitIsNeverRead) {
  ScratchFolder scratch;
  struct Cut {
    std::string text;
    size_t limit;
    std::string kept;
  };
  for (const Cut& c : {Cut{"12\n345\n678", 9, "12\n345\n"}, Cut{"12\n345\n", 7, "12\n345\n"},
                       Cut{"12\n345\n", 6, "12\n"}, Cut{"-1000", 2, ""}}) {
    WriteTextFile("f", c.text);
    std::string text = "junk";
    EXPECT_TRUE(ReadFileStart("f", text, c.limit));
    EXPECT_EQ(text, c.kept);
  }
  // A score file whose last number straddles the 16 MB: not read as its first digit.
  WriteTextFile("s.score", "1\n2\n3\n4\n" + std::string(MostFileBytes - 9, '\n') + "55\n");
  int scores[DifficultyCount];
  ReadBestScores("s.score", scores);
  EXPECT_EQ(scores[3], 4);
  EXPECT_EQ(scores[4], 0);
}

TEST(StaleTempFiles, OnlyOursGoAndOnlyTwoFoldersDown) {
  ScratchFolder scratch;
  const std::vector<std::string> ours = {"Music/.zedov-tmp-a1B2c3", "Music/Pack/.zedov-tmp-x",
                                         "Music/Pack/Song/.zedov-tmp-Q9"};
  const std::vector<std::string> others = {
      "Music/Song.mp3",          "Music/zedov-tmp-1", "Music/.zedov-tmp",  "Music/a.zedov-tmp-1",
      "Music/.zedov-tmp-dir/1",  ".zedov-tmp-beside", "Music/Pack/Song/Deep/.zedov-tmp-1"};
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
  stat(path, &status);
  return status.st_mode & 07777;
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

// Every write past `bytes` fails as on a full disk, for the object's lifetime.
struct FileSizeLimit {
  explicit FileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &old);
    signalBefore = std::signal(SIGXFSZ, SIG_IGN);  // a failed write, not a killed process
    rlimit limit = old;
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, signalBefore);
  }
  rlimit old{};
  void (*signalBefore)(int) = nullptr;
};

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
  {
    FileSizeLimit full(0);
    EnterScreen(Results);
    EXPECT_EQ(ResultsNotice, "could not save the best score: file too large");
    EXPECT_EQ(BestScores[Hard], 40);  // 100 was not kept, so it is not shown
    EnterScreen(ChartCreate);
    ClickInScreen(320, 375);  // "Accept"
    EXPECT_EQ(Screen, ChartCreate);
    EXPECT_EQ(CreateNotice, "could not save the chart: file too large");
    EnterScreen(ChartImport);
    ClickInScreen(320, 95);  // Steps.sm
    EXPECT_EQ(Screen, ChartImport);
    EXPECT_EQ(ImportNotice, "could not save the chart: file too large");
  }
  EXPECT_EQ(ReadTextFile("Music/Song.mp3.tq"), chart);
  EXPECT_EQ(ReadTextFile("Music/Song.mp3.score"), scores);
  EXPECT_EQ(std::distance(fs::directory_iterator("Music"), fs::directory_iterator()), 3);
  EnterScreen(ChartImport);  // a new visit starts without the line
  EXPECT_EQ(ImportNotice, "");
  ResetPlayState();
  Screen = Title;
}

}  // namespace
