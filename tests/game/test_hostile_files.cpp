// Files that are not what they seem (a FIFO, a device, a file past the size
// limit) read at once as files that cannot be read, by every reader of the
// charts and the game.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <vector>

#include "charts/chart_file.h"
#include "charts/safe_file.h"
#include "charts/score_file.h"
#include "charts/settings_file.h"
#include "charts/step_import.h"
#include "game/preview.h"
#include "kit/clock.h"
#include "test_files.h"

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

}  // namespace
