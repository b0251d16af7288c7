// The Music/ folder as players may leave it: missing, unreadable, a
// file, a loop, ten thousand entries, and names no one would type. Each case
// ends with the menus still working and every file the player had untouched.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "charts/library.h"
#include "charts/score_file.h"
#include "charts/step_import.h"
#include "game/play_state.h"
#include "game/song_start.h"
#include "kit/button_list.h"
#include "app/app_support.h"
#include "screens/chart_import.h"
#include "screens/difficulty_select.h"
#include "screens/results.h"
#include "screens/screen_state.h"
#include "screens/song_select.h"
#include "test_support.h"

namespace {

namespace fs = std::filesystem;

struct MusicFolder : testing::Test {
  ScratchFolder scratch;

  void SetUp() override {
    OpenTestScreen();
    SongListScroll = 0;
    ImportListScroll = 0;
    SelectedDifficulty = Beginner;
    ResetPlayState();
  }
  void TearDown() override {
    SongListScroll = 0;
    ImportListScroll = 0;
    Screen = ScreenId::Title;
  }

  // With no songs to list, the song select keeps its "Back" and nothing else.
  static void ExpectNoSongToChoose() {
    std::string before = SelectedSong;
    EnterScreen(ScreenId::SongSelect);
    for (int r = 0; r < ListRows; ++r) {
      ClickInScreen(320, 95 + 40 * r);
      EXPECT_EQ(Screen, ScreenId::SongSelect) << "row " << r;
    }
    EXPECT_EQ(SelectedSong, before);
    ClickInScreen(550, 435);
    EXPECT_EQ(Screen, ScreenId::Title);
  }

  // The chart makers and the results of a song whose folder cannot take files:
  // each says so, comes back on "Back", and writes nothing.
  static void ExpectSongScreensGoOn(const std::string& song) {
    SelectedSong = song;
    EnterScreen(ScreenId::DifficultySelect);
    for (bool present : ChartHasDifficulty) EXPECT_FALSE(present);
    for (int best : BestScores) EXPECT_EQ(best, NeverPlayed);
    ClickInScreen(320, 95);  // "create new step chart"
    ASSERT_EQ(Screen, ScreenId::ChartCreate);
    StayInScreen();
    ClickInScreen(320, 375);  // "Accept"
    EXPECT_EQ(Screen, ScreenId::ChartCreate);
    ClickInScreen(550, 435);
    EXPECT_EQ(Screen, ScreenId::DifficultySelect);
    EnterScreen(ScreenId::ChartImport);
    ClickInScreen(320, 95);  // where a step file would be
    EXPECT_EQ(Screen, ScreenId::ChartImport);
    ClickInScreen(550, 435);
    EXPECT_EQ(Screen, ScreenId::DifficultySelect);
    PerfectCount = 3;
    LongestCombo = 3;
    SelectedDifficulty = Hard;
    EnterScreen(ScreenId::Results);  // a best of 100 that cannot be written is not shown as kept
    EXPECT_EQ(BestScores[Hard], NeverPlayed);
    EXPECT_TRUE(ResultsNotice.starts_with("could not save the best score: ")) << ResultsNotice;
    ClickInScreen(550, 435);
    EXPECT_EQ(Screen, ScreenId::DifficultySelect);
  }
};

TEST_F(MusicFolder, MissingFolderListsNothingAndCreatesNothing) {
  EnterScreen(ScreenId::SongSelect);
  EXPECT_TRUE(SongList.empty());
  ExpectNoSongToChoose();
  ExpectSongScreensGoOn("Gone.mp3");
  EXPECT_FALSE(fs::exists("Music"));
  EXPECT_TRUE(fs::is_empty(scratch.path));
}

TEST_F(MusicFolder, UnreadableFolderListsNothingAndKeepsItsSongs) {
  if (PermissionsAreIgnored())
    GTEST_SKIP() << "running as root, whom permission bits do not stop from reading a folder; "
                    "the folders that fail to open are covered by the file and loop cases";
  WriteTextFile("Music/Kept.mp3", "ID3 not really");
  WriteTextFile("Music/Kept.mp3.score", "1\n2\n3\n4\n5\n");
  FolderContents before = ReadFolder("Music");
  ASSERT_EQ(chmod("Music", 0), 0);
  EnterScreen(ScreenId::SongSelect);
  EXPECT_TRUE(SongList.empty());
  ExpectNoSongToChoose();
  ExpectSongScreensGoOn("Kept.mp3");
  ASSERT_EQ(chmod("Music", 0755), 0);
  EXPECT_EQ(ReadFolder("Music"), before);
}

TEST_F(MusicFolder, AFileNamedMusicListsNothingAndStaysAsItWas) {
  WriteTextFile("Music", "a note to self, not a folder");
  EnterScreen(ScreenId::SongSelect);
  EXPECT_TRUE(SongList.empty());
  ExpectNoSongToChoose();
  ExpectSongScreensGoOn("Any.mp3");
  EXPECT_EQ(ReadTextFile("Music"), "a note to self, not a folder");
  EXPECT_EQ(std::distance(fs::directory_iterator(scratch.path), fs::directory_iterator()), 1);
}

TEST_F(MusicFolder, AFolderLinkedToItselfListsNothing) {
  fs::create_symlink("Music", "Music");
  EnterScreen(ScreenId::SongSelect);
  EXPECT_TRUE(SongList.empty());
  ExpectNoSongToChoose();
  ExpectSongScreensGoOn("Loop.mp3");
  EXPECT_TRUE(fs::is_symlink("Music"));
}

TEST_F(MusicFolder, TenThousandEntriesAreAllListedAndReachable) {
  fs::create_directory("Music");
  for (int i = 0; i < 5000; ++i) {
    char song[32], steps[32];
    std::snprintf(song, sizeof song, "Music/Song %04d.mp3", i);
    std::snprintf(steps, sizeof steps, "Music/Steps %04d.sm", i);
    for (const char* name : {song, steps}) close(creat(name, 0644));
  }
  EnterScreen(ScreenId::SongSelect);
  ASSERT_EQ(SongList.size(), 10000u);
  // The last song is one scroll away from the end of the list, and it is chosen by its row.
  SongListScroll = 4999 - 3;
  StayInScreen();
  ClickInScreen(320, 95 + 40 * 3);
  ASSERT_EQ(Screen, ScreenId::DifficultySelect);
  EXPECT_EQ(SelectedSong, "Song 4999.mp3");
  // The import screen lists the 5000 step files the same way.
  EnterScreen(ScreenId::ChartImport);
  ImportListScroll = 4999;
  StayInScreen();
  ClickInScreen(320, 95);  // the empty "Steps 4999.sm": refused by name
  EXPECT_EQ(ImportNotice, "no dance-single chart in Steps 4999.sm");
  EXPECT_EQ(Screen, ScreenId::ChartImport);

  size_t entries = 0;
  for ([[maybe_unused]] const auto& entry : fs::directory_iterator("Music")) ++entries;
  EXPECT_EQ(entries, 10000u);  // nothing written
}

TEST_F(MusicFolder, OddNamesAreListedChosenAndChartedAsTheyAre) {
  const std::string longest = std::string(251, 'a') + ".mp3";  // 255 bytes, the most a name may hold
  const std::vector<std::string> names = {
      "  spaced   out song .mp3", "Caf\xc3\xa9 \xe2\x99\xab.mp3", "raw \xff\xfe\x80 bytes.mp3",
      ".hidden.mp3",              "..two dots.mp3",                ".mp3",
      "UPPER.MP3",                longest};
  for (const std::string& name : names) WriteTextFile("Music/" + name, "not really music: " + name);
  FolderContents before = ReadFolder("Music");

  EnterScreen(ScreenId::SongSelect);
  for (const std::string& name : names) {
    SCOPED_TRACE(name.size() > 40 ? name.substr(0, 20) + "..." : name);
    ASSERT_TRUE(ChooseSong(name));
    EnterScreen(ScreenId::ChartCreate);
    ClickInScreen(320, 375);  // "Accept" writes all five difficulties
    // A chart name past the 255-byte limit cannot be made; the song stays playable-less.
    bool fits = name.size() + 3 <= 255;
    if (!fits) {
      EXPECT_EQ(Screen, ScreenId::ChartCreate);  // saying it could not save the chart
      ClickInScreen(550, 435);
    }
    ASSERT_EQ(Screen, ScreenId::DifficultySelect);
    EnterScreen(ScreenId::DifficultySelect);
    for (bool present : ChartHasDifficulty) EXPECT_EQ(present, fits);
    std::error_code tooLong;
    EXPECT_EQ(fs::exists("Music/" + name + ".tq", tooLong), fits);
    SelectedDifficulty = Easy;
    GoodCount = 1;
    EnterScreen(ScreenId::Results);
    ResetPlayState();
    EXPECT_EQ(ReadTextFile("Music/" + name + ".score"), fits ? "-1\n63\n-1\n-1\n-1\n" : "");
  }
  // Every song is as it was, and nothing half-written lies about.
  FolderContents after = ReadFolder("Music");
  for (const auto& [name, bytes] : before) EXPECT_EQ(after[name], bytes);
  for (const auto& [name, bytes] : after)
    EXPECT_TRUE(before.count(name) || name.ends_with(".tq") || name.ends_with(".score")) << name;
}

}  // namespace
