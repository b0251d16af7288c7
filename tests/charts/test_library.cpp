#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "charts/library.h"
#include "test_support.h"

namespace {

namespace fs = std::filesystem;

std::vector<std::string> ListedNames() {
  std::vector<std::string> names;
  for (const SongEntry& entry : SongList) names.push_back(entry.name);
  return names;
}

bool Listed(const std::string& name) {
  std::vector<std::string> names = ListedNames();
  return std::find(names.begin(), names.end(), name) != names.end();
}

}  // namespace

TEST(TextOperations, StartsWithComparesTheBeginningExactly) {
  EXPECT_TRUE(StartsWith("", ""));
  EXPECT_TRUE(StartsWith("anything", ""));
  EXPECT_TRUE(StartsWith("<startbeginner>", "<startbeginner>"));
  EXPECT_TRUE(StartsWith("<startbeginner>xyz", "<startbeginner>"));
  EXPECT_FALSE(StartsWith("<startbeginne", "<startbeginner>"));
  EXPECT_FALSE(StartsWith("<StartBeginner>", "<startbeginner>"));
  EXPECT_FALSE(StartsWith("x<starthard>", "<starthard>"));
}

TEST(TextOperations, EndsWithComparesTheEndExactly) {
  EXPECT_TRUE(EndsWith("", ""));
  EXPECT_TRUE(EndsWith("song.mp3", ""));
  EXPECT_TRUE(EndsWith("SONG.MP3", ".MP3"));
  EXPECT_TRUE(EndsWith(".MP3", ".MP3"));
  EXPECT_FALSE(EndsWith("3.", ".MP3"));
  EXPECT_FALSE(EndsWith("MP3", ".MP3"));
  EXPECT_FALSE(EndsWith("song.mp3", ".MP3"));
  EXPECT_FALSE(EndsWith("song.MP3.tq", ".MP3"));
}

TEST(TextOperations, ExtensionTestsIgnoreLetterCase) {
  for (const char* song : {"Song.Mp3", "song.mp3", "SONG.MP3", "b.MP3", "c.mP3", ".mp3"})
    EXPECT_TRUE(IsSongName(song)) << song;
  for (const char* other : {"Song.mp3.tq", "Song.mp3.score", "song.ogg", "notes.sm", "mp3", ".",
                            "..", "", "song.mp4", "song.mp3 "})
    EXPECT_FALSE(IsSongName(other)) << other;
  for (const char* step : {"notes.sm", "Notes.SM", "x.Sm", "y.sM"}) EXPECT_TRUE(IsStepFileName(step)) << step;
  for (const char* other : {"notes.ssm", "notes.sm.tq", "song.mp3", "SM", ""})
    EXPECT_FALSE(IsStepFileName(other)) << other;
}

TEST(TextOperations, ExtensionTestKeepsTheNameAndSeesNonAsciiAsOtherBytes) {
  std::string name = "caf\xC3\xA9.mP3";
  EXPECT_TRUE(IsSongName(name));
  EXPECT_EQ(name, "caf\xC3\xA9.mP3");  // the test worked on a copy
  EXPECT_FALSE(IsSongName("song.mp\xB3"));
}

TEST(TextOperations, PerSongPathsKeepTheMusicFilesNameAndCase) {
  EXPECT_EQ(MusicPath("Track.mp3"), "Music/Track.mp3");
  EXPECT_EQ(ChartPath("Track.mp3"), "Music/Track.mp3.tq");
  EXPECT_EQ(ScorePath("Track.mp3"), "Music/Track.mp3.score");
  EXPECT_EQ(ChartPath("Song.Mp3"), "Music/Song.Mp3.tq");
  EXPECT_EQ(ChartPath("song.mp3"), "Music/song.mp3.tq");
  EXPECT_EQ(ChartPath("SONG.MP3"), "Music/SONG.MP3.tq");
  EXPECT_EQ(ScorePath("SONG.MP3"), "Music/SONG.MP3.score");
  std::string longName(250, 'x');
  EXPECT_EQ(ChartPath(longName + ".mp3"), "Music/" + longName + ".mp3.tq");  // never cut
}

TEST(TextOperations, DisplayNameDropsTheExtensionAndCutsToFifty) {
  EXPECT_EQ(DisplayName("My Song.mp3", 4), "My Song");
  EXPECT_EQ(DisplayName("Track.sm", 3), "Track");
  EXPECT_EQ(DisplayName("SONG.MP3", 4), "SONG");
  std::string sixty;
  for (int i = 0; i < 60; ++i) sixty += static_cast<char>('a' + i % 26);
  EXPECT_EQ(DisplayName(sixty + ".mp3", 4), sixty.substr(0, 50));
  EXPECT_EQ(DisplayName(std::string(50, 'q') + ".mp3", 4), std::string(50, 'q'));
  EXPECT_EQ(DisplayName(std::string(255, 'q'), 4).size(), 50u);
}

TEST(TextOperations, DisplayNameOfShortOrOddInputIsSafe) {
  EXPECT_EQ(DisplayName("", 4), "");
  EXPECT_EQ(DisplayName(".mp3", 4), "");
  EXPECT_EQ(DisplayName("ab", 4), "");
  EXPECT_EQ(DisplayName("abc", 0), "abc");
  EXPECT_EQ(DisplayName("abc", -3), "abc");  // a negative length drops nothing
}

TEST(SongLibrary, MissingFolderGivesAnEmptyList) {
  ScratchFolder scratch;
  SongList.push_back({"stale.mp3", 0});
  ScanMusicFolder();
  EXPECT_TRUE(SongList.empty());
}

TEST(SongLibrary, MusicAsAPlainFileGivesAnEmptyList) {
  ScratchFolder scratch;
  WriteTextFile("Music", "not a folder");
  ScanMusicFolder();
  EXPECT_TRUE(SongList.empty());
}

TEST(SongLibrary, EmptyFolderListsOnlyItselfAndItsParent) {
  ScratchFolder scratch;
  fs::create_directory("Music");
  ScanMusicFolder();
  EXPECT_EQ(ListedNames(), (std::vector<std::string>{".", ".."}));
}

TEST(SongLibrary, EveryEntryIsListedSortedWithoutRegardToCase) {
  ScratchFolder scratch;
  for (const char* name : {"c.Mp3", "a.mp3", "b.MP3", "song.ogg", "notes.sm", "Song.mp3.tq", "B.mp3"})
    WriteTextFile(fs::path("Music") / name, "x");
  fs::create_directory("Music/Old.mp3");
  ScanMusicFolder();
  EXPECT_EQ(ListedNames(), (std::vector<std::string>{".", "..", "a.mp3", "B.mp3", "b.MP3", "c.Mp3",
                                                     "notes.sm", "Old.mp3", "Song.mp3.tq", "song.ogg"}));
  for (const SongEntry& entry : SongList) EXPECT_EQ(entry.flag, 0);
}

TEST(SongLibrary, RescanReplacesTheListAndSeesNewFiles) {
  ScratchFolder scratch;
  WriteTextFile("Music/one.mp3", "x");
  WriteTextFile("Music/two.mp3", "x");
  ScanMusicFolder();
  EXPECT_EQ(SongList.size(), 4u);
  fs::remove("Music/one.mp3");
  WriteTextFile("Music/three.mp3", "x");
  ScanMusicFolder();
  EXPECT_EQ(ListedNames(), (std::vector<std::string>{".", "..", "three.mp3", "two.mp3"}));
  fs::remove_all("Music");
  ScanMusicFolder();
  EXPECT_TRUE(SongList.empty());
}

TEST(SongLibrary, LongAndNonAsciiNamesAreListedWhole) {
  ScratchFolder scratch;
  std::string longest = std::string(251, 'L') + ".mp3";  // the file system's 255 bytes
  std::string accented = "Caf\xC3\xA9 \xE2\x99\xAA.mp3";
  WriteTextFile(fs::path("Music") / longest, "x");
  WriteTextFile(fs::path("Music") / accented, "x");
  ScanMusicFolder();
  EXPECT_TRUE(Listed(longest));
  EXPECT_TRUE(Listed(accented));
  EXPECT_EQ(ReadTextFile(MusicPath(accented)), "x");  // the listed name opens the file
  EXPECT_EQ(ReadTextFile(MusicPath(longest)), "x");
}

TEST(SongLibrary, TenThousandFilesAreAllListedInOrder) {
  ScratchFolder scratch;
  fs::create_directory("Music");
  for (int i = 0; i < 10000; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "song%05d.mp3", 9999 - i);
    std::ofstream(fs::path("Music") / name);
  }
  ScanMusicFolder();
  ASSERT_EQ(SongList.size(), 10002u);
  EXPECT_EQ(SongList[2].name, "song00000.mp3");
  EXPECT_EQ(SongList[10001].name, "song09999.mp3");
  EXPECT_TRUE(std::is_sorted(SongList.begin() + 2, SongList.end(),
                             [](const SongEntry& a, const SongEntry& b) { return a.name < b.name; }));
}
