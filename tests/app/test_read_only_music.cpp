// A Music/ folder that takes no new files (a read-only disk, a locked folder):
// playing a song raises the best in memory only, the old high-score file stays
// as it was, the chart makers write nothing, and the game goes on.
#include <fcntl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "charts/library.h"
#include "charts/step_import.h"
#include "game/play_state.h"
#include "game/song_start.h"
#include "app/app_support.h"
#include "screens/chart_import.h"
#include "screens/difficulty_select.h"
#include "screens/results.h"
#include "screens/screen_state.h"
#include "screens/song_select.h"
#include "test_support.h"

namespace {

namespace fs = std::filesystem;

// Locks a folder against new, renamed and removed entries for its lifetime:
// with the immutable attribute where the file system has it (which holds
// even for root), else by its permission bits (which hold for others).
struct LockedFolder {
  explicit LockedFolder(const fs::path& folder) : path(folder) {
    int fd = open(path.c_str(), O_RDONLY | O_DIRECTORY);
    int flags = 0;
    if (fd >= 0 && ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0) {
      int locked = flags | FS_IMMUTABLE_FL;
      immutable = ioctl(fd, FS_IOC_SETFLAGS, &locked) == 0;
    }
    if (fd >= 0) close(fd);
    if (!immutable && !PermissionsAreIgnored()) byPermissions = chmod(path.c_str(), 0555) == 0;
  }
  ~LockedFolder() {
    if (immutable) {
      int fd = open(path.c_str(), O_RDONLY | O_DIRECTORY);
      int flags = 0;
      if (fd >= 0 && ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0) {
        flags &= ~FS_IMMUTABLE_FL;
        ioctl(fd, FS_IOC_SETFLAGS, &flags);
      }
      if (fd >= 0) close(fd);
    }
    if (byPermissions) chmod(path.c_str(), 0755);
  }
  bool locked() const { return immutable || byPermissions; }

  fs::path path;
  bool immutable = false;
  bool byPermissions = false;
};

struct ReadOnlyMusic : ScratchScreens {};

TEST_F(ReadOnlyMusic, ScoresAndChartsCannotBeWrittenAndTheOldFilesStay) {
  const std::string chart = "<starthard>\n1\n1000\n0\n----\n<stop>\n";
  WriteTextFile("Music/Song.mp3", "not really music");
  WriteTextFile("Music/Song.mp3.tq", chart);
  WriteTextFile("Music/Song.mp3.score", "10\n20\n30\n40\n50\n");
  WriteTextFile("Music/Steps.sm", "#BPMS:0=120;\n#NOTES:\n dance-single:\n :\n Easy:\n 1:\n 0:\n1000\n;\n");
  FolderContents before = ReadFolder("Music");
  LockedFolder lock("Music");
  if (!lock.locked())
    GTEST_SKIP() << "this file system cannot make a folder immutable and permission bits "
                    "do not stop root: no way to make Music/ read-only here";

  ASSERT_TRUE(ChooseSong("Song.mp3"));
  EnterScreen(ScreenId::DifficultySelect);
  EXPECT_TRUE(ChartHasDifficulty[Hard]);
  EXPECT_EQ(BestScores[Hard], 40);

  // A play of hard that beats the old best: not kept, and said so.
  SelectedDifficulty = Hard;
  PerfectCount = 1;
  LongestCombo = 1;
  EnterScreen(ScreenId::Results);
  EXPECT_EQ(PreviousBest, 40);
  EXPECT_EQ(BestScores[Hard], 40);
  EXPECT_TRUE(ResultsNotice.starts_with("could not save the best score: ")) << ResultsNotice;
  ClickInScreen(550, 435);
  ASSERT_EQ(Screen, ScreenId::DifficultySelect);
  EnterScreen(ScreenId::DifficultySelect);
  EXPECT_EQ(BestScores[Hard], 40) << "the best is read again from the old file";

  // The generator and the importer write nothing, say so and come back on "Back".
  ClickInScreen(320, 175);  // "create new step chart", below the one row
  ASSERT_EQ(Screen, ScreenId::ChartCreate);
  StayInScreen();
  ClickInScreen(320, 375);  // "Accept"
  ClickInScreen(220, 255);  // "Replace"
  EXPECT_EQ(Screen, ScreenId::ChartCreate);
  ClickInScreen(550, 435);
  EXPECT_EQ(Screen, ScreenId::DifficultySelect);
  EnterScreen(ScreenId::DifficultySelect);
  ClickInScreen(320, 215);  // "import step chart"
  ASSERT_EQ(Screen, ScreenId::ChartImport);
  EnterScreen(ScreenId::ChartImport);
  ClickInScreen(320, 95);  // Steps.sm
  ClickInScreen(220, 255);  // "Replace"
  EXPECT_EQ(Screen, ScreenId::ChartImport);
  ClickInScreen(550, 435);
  EXPECT_EQ(Screen, ScreenId::DifficultySelect);
  EnterScreen(ScreenId::DifficultySelect);
  EXPECT_TRUE(ChartHasDifficulty[Hard]);
  EXPECT_FALSE(ChartHasDifficulty[Easy]);

  EXPECT_EQ(ReadFolder("Music"), before);
}

TEST_F(ReadOnlyMusic, APackSongPlaysFromAChartConvertedInMemoryAndItsScoreIsNotKept) {
  WriteTextFile("Music/Pack/S/t.ogg", "not really music");
  WriteTextFile("Music/Pack/S/t.sm", "#BPMS:0=120;\n#NOTES:\n dance-single:\n :\n Easy:\n 1:\n 0:\n1000\n;\n");
  FolderContents before = ReadFolder("Music");
  LockedFolder lock("Music/Pack/S");
  if (!lock.locked()) GTEST_SKIP() << "no way to make a folder read-only here";
  SongListScroll = 0, OpenPack.clear(), TopSearch.clear();
  EnterScreen(ScreenId::SongSelect);
  ClickInScreen(320, 95);  // the pack
  ClickInScreen(320, 95);  // its song
  ASSERT_EQ(SelectedSong, "Pack/S/t.ogg");
  EnterScreen(ScreenId::DifficultySelect);
  ASSERT_TRUE(ChartHasDifficulty[Easy]);
  ClickInScreen(320, 95);  // play easy
  EnterScreen(ScreenId::SongStart);
  EXPECT_EQ(NoteList.size(), 1u);
  PerfectCount = 1;
  EnterScreen(ScreenId::Results);
  // The failed write's own reason: the immutable flag's or the permission bits'.
  EXPECT_THAT(ResultsNotice, testing::AnyOf("score not kept: operation not permitted",
                                            "score not kept: permission denied"));
  EXPECT_EQ(ReadFolder("Music"), before);
}

}  // namespace
