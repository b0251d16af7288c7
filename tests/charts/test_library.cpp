// The song library: text operations, names, paths and the scan of Music/.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "charts/library.h"
#include "charts/text.h"
#include "test_files.h"

namespace fs = std::filesystem;

TEST(TextOperations, LetterCaseIsAsciiOnlyAndTrimmingTakesFormattedInputBlanks) {
  EXPECT_TRUE(SameLetters("a-z{}`@[\xE9\xFFZ9", "A-Z{}`@[\xE9\xFFz9"));
  EXPECT_FALSE(SameLetters("\xE9", "\xC9") || SameLetters("[", "{") || SameLetters("@", "`") || SameLetters("ab", "a"));
  EXPECT_EQ(Trimmed(" \t\v\f\r\n 1000 \r"), "1000");
  EXPECT_EQ(Trimmed("\xA0x\xA0"), "\xA0x\xA0");  // a no-break space is not a blank
  EXPECT_EQ(Trimmed("   "), "");
}

TEST(TextOperations, ExtensionTestsIgnoreCaseAndPathsKeepIt) {
  for (const char* song : {"Song.Mp3", "song.mp3", "SONG.MP3", "caf\xC3\xA9.mP3"}) EXPECT_TRUE(IsSongName(song)) << song;
  for (const char* song : {"Track.ogg", "b.OGG", "c.Ogg"}) EXPECT_TRUE(IsSongName(song)) << song;
  for (const char* no : {"Song.mp3.tq", "song.ogg.score", "song.oga", "notes.sm", "ogg", ".", "..", ""})
    EXPECT_FALSE(IsSongName(no)) << no;
  EXPECT_EQ(ChartPath("Track.ogg"), "Music/Track.ogg.tq");
  EXPECT_EQ(ScorePath("Track.ogg"), "Music/Track.ogg.score");
  EXPECT_TRUE(IsStepFileName("a.sm") && IsStepFileName("B.Sm"));
  EXPECT_FALSE(IsStepFileName("a.ssm2") || IsStepFileName("a.mp3"));
  EXPECT_EQ(MusicPath("Song.Mp3"), "Music/Song.Mp3");
  EXPECT_EQ(ChartPath("SONG.MP3"), "Music/SONG.MP3.tq");
  EXPECT_EQ(ScorePath("song.mp3"), "Music/song.mp3.score");
}

TEST(TextOperations, DisplayNameDropsTheExtensionAndCutsToFifty) {
  std::string sixty;
  for (int i = 0; i < 60; ++i) sixty += static_cast<char>('a' + i % 26);
  EXPECT_EQ(DisplayName("My Song.mp3", 4), "My Song");
  EXPECT_EQ(DisplayName("Track.sm", 3), "Track");
  EXPECT_EQ(DisplayName(sixty + ".mp3", 4), sixty.substr(0, 50));
  EXPECT_EQ(ChartPath(sixty + ".mp3"), "Music/" + sixty + ".mp3.tq");  // files keep the whole name
  EXPECT_EQ(DisplayName("ab", 4), "");
  // Names from packs: drawn folded, cut by drawn characters, kept whole on disk.
  const std::string cafe = "Caf\xC3\xA9 D\xC3\xA9j\xC3\xA0 Vu \xE2\x80\x94 \xE6\x9D\xB1.ogg";
  EXPECT_EQ(DisplayName(cafe, 4), "Cafe Deja Vu - ?");
  EXPECT_EQ(ChartPath(cafe), "Music/" + cafe + ".tq");
  std::string wide;
  for (int i = 0; i < 60; ++i) wide += "\xC3\xA9";  // 60 characters of two bytes
  EXPECT_EQ(DisplayName(wide + ".mp3", 4), std::string(50, 'e'));
  EXPECT_EQ(DisplayName("bad\xFF\xC3.mp3", 4), "bad??");
  EXPECT_EQ(DisplayName("abc", -3), "abc");
}

TEST(SongLibrary, ScanListsEveryEntrySortedWithoutRegardToCase) {
  ScratchFolder scratch;
  std::string longest = std::string(251, 'z') + ".mp3", accented = "Caf\xC3\xA9.mp3";
  for (std::string name : {"c.Mp3", "a.mp3", "b.MP3", "song.ogg", "notes.sm", "a.mp3.tq", longest.c_str(),
                           accented.c_str()})
    WriteTextFile(fs::path("Music") / name, "x");
  fs::create_directory("Music/Old.mp3");
  SongList.push_back({"stale"});
  ScanMusicFolder();
  std::vector<std::string> names;
  for (const SongEntry& entry : SongList) names.push_back(entry.name);
  EXPECT_EQ(names, (std::vector<std::string>{"a.mp3", "a.mp3.tq", "b.MP3", "c.Mp3", accented, "notes.sm",
                                             "Old.mp3", "song.ogg", longest}));
}

TEST(SongLibrary, MissingEmptyOrNonFolderMusicGivesAnEmptyList) {
  ScratchFolder scratch;
  SongList.push_back({"stale"});
  ScanMusicFolder();
  EXPECT_TRUE(SongList.empty());
  fs::create_directory("Music");  // neither the folder itself nor its parent is an entry
  SongList.push_back({"stale"});
  ScanMusicFolder();
  EXPECT_TRUE(SongList.empty());
  fs::remove("Music");
  WriteTextFile("Music", "a file, not a folder");
  ScanMusicFolder();
  EXPECT_TRUE(SongList.empty());
}
