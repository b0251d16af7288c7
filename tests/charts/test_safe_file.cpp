// The game's own file handling: a line cut by the size limit is never read,
// saves keep the old file's mode and refuse a read-only file, and the sweep
// after a crash takes only our own files.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <vector>

#include "charts/safe_file.h"
#include "charts/score_file.h"
#include "test_files.h"

namespace {

namespace fs = std::filesystem;

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

}  // namespace
