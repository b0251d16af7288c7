// Choosing among many songs: the library's cache, the sort orders, the
// favourites and what the song list's panel tells of a song.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "charts/favourites.h"
#include "charts/library_cache.h"
#include "charts/settings_file.h"
#include "charts/song_labels.h"
#include "test_files.h"

namespace fs = std::filesystem;

namespace {

std::vector<std::string> Names(const Pack& pack) {
  std::vector<std::string> names;
  for (const LibrarySong& song : pack.songs) names.push_back(song.name);
  return names;
}

// A file written anew with a time of its own, as an editor saving it a while later would.
void Rewrite(const fs::path& path, const std::string& text, int later) {
  WriteTextFile(path, text);
  fs::last_write_time(path, fs::last_write_time(path) + std::chrono::seconds(later));
}

}  // namespace

TEST(LibraryCache, RereadsOnlyWhatChangedAndIgnoresABrokenFile) {
  ScratchFolder scratch;
  WriteTextFile("Music/Pack/A/a.ogg", "");
  WriteTextFile("Music/Pack/A/a.sm", "#TITLE:Alpha;#ARTIST:X;#BPMS:0=120;");
  WriteTextFile("Music/Pack/A/a-bn.png", "");
  WriteTextFile("Music/Pack/B/b.ogg", "");
  WriteTextFile("Music/Solo/s.ogg", "");
  WriteTextFile("Music/Loose.mp3", "");
  ForgetLibraryCache();
  OpenSongLibrary(SongOrder::ByName);
  EXPECT_EQ(FoldersRead, 4);  // Pack, Pack/A, Pack/B, Solo
  ForgetLibraryCache();       // a new run: from the file alone
  OpenSongLibrary(SongOrder::ByName);
  EXPECT_EQ(FoldersRead, 0);
  ASSERT_EQ(Packs.size(), 1u);
  EXPECT_EQ(Names(Packs[0]), (std::vector<std::string>{"A", "B"}));
  EXPECT_EQ(LooseSongs.size(), 2u);
  EXPECT_EQ(SongInfoOf(Packs[0].songs[0]).artist, "X");
  EXPECT_EQ(SongInfoOf(Packs[0].songs[0]).banner, "Pack/A/a-bn.png");
  EXPECT_EQ(SongLabel(Packs[0].songs[0]), "Alpha");
  Rewrite("Music/Pack/A/a.sm", "#TITLE:Beta;#ARTIST:Y;", 10);  // edited in place
  OpenSongLibrary(SongOrder::ByName);
  EXPECT_EQ(FoldersRead, 0);  // the pack's folder is as it was: its songs are asked when it is shown
  EXPECT_TRUE(CheckPack("Pack", SongOrder::ByName));
  EXPECT_FALSE(CheckPack("Pack", SongOrder::ByName));
  EXPECT_EQ(FoldersRead, 1);
  EXPECT_EQ(SongLabel(Packs[0].songs[0]), "Beta");
  EXPECT_EQ(SongInfoOf(Packs[0].songs[0]).artist, "Y");
  WriteTextFile("Music/Pack/C/c.ogg", "");  // a song added to the pack
  fs::remove_all("Music/Pack/B");
  fs::last_write_time("Music/Pack", fs::last_write_time("Music/Pack") + std::chrono::seconds(10));
  OpenSongLibrary(SongOrder::ByName);
  EXPECT_EQ(FoldersRead, 2);  // Pack, Pack/C
  EXPECT_EQ(Names(Packs[0]), (std::vector<std::string>{"A", "C"}));
  // Broken, cut short or foreign: ignored, everything read again and the file made anew.
  for (const char* text : {"zedov song cache 2\njunk\n", "zedov song cache 2\nPack\t1\t0\t0", "zedov song cache 1\n", "\x89PNG\r\n", ""}) {
    WriteTextFile(LibraryCachePath, text);
    ForgetLibraryCache();
    OpenSongLibrary(SongOrder::ByName);
    EXPECT_EQ(FoldersRead, 4) << text;
    EXPECT_EQ(Names(Packs[0]), (std::vector<std::string>{"A", "C"}));
    ForgetLibraryCache();
    OpenSongLibrary(SongOrder::ByName);
    EXPECT_EQ(FoldersRead, 0) << text;
  }
}

TEST(SongOrder, EachOrderWithItsTiesByNameAndTheUnknownLast) {
  ScratchFolder scratch;
  for (const char* song : {"a", "b", "c", "d"}) WriteTextFile(std::string("Music/P/") + song + "/x.ogg", "");
  const char* notes = "#NOTES:dance-single::Hard:%d:0,0:\n0000\n;";
  auto chart = [&](int meter) { return std::string(notes).replace(std::string(notes).find("%d"), 2, std::to_string(meter)); };
  WriteTextFile("Music/P/a/x.sm", "#ARTIST:Zed;#BPMS:0=180;" + chart(5));
  WriteTextFile("Music/P/b/x.sm", "#ARTIST:amy;#BPMS:0=90;" + chart(9));
  WriteTextFile("Music/P/c/x.sm", "#ARTIST:Amy;#BPMS:0=180;" + chart(5));  // d has no step file
  WriteTextFile(FavouritesPath, "P/c/x.ogg\nP/b/x.ogg\n");
  ForgetFavourites();
  ForgetLibraryCache();
  struct Case {
    SongOrder order;
    std::vector<std::string> names, favourites;
  } cases[] = {{SongOrder::ByName, {"a", "b", "c", "d"}, {"b", "c"}},
               {SongOrder::ByArtist, {"c", "b", "a", "d"}, {"c", "b"}},
               {SongOrder::ByTempo, {"b", "a", "c", "d"}, {"b", "c"}},
               {SongOrder::ByDifficulty, {"a", "c", "b", "d"}, {"c", "b"}}};
  for (const Case& c : cases) {
    OpenSongLibrary(c.order);
    ASSERT_EQ(Packs.size(), 2u);
    EXPECT_EQ(PackLabel(Packs[0]), "Favourites (2 songs)");
    EXPECT_EQ(Names(Packs[0]), c.favourites) << SongOrderWord(c.order);
    EXPECT_EQ(Names(Packs[1]), c.names) << SongOrderWord(c.order);
    SongOrder named;
    EXPECT_TRUE(SongOrderNamed(SongOrderWord(c.order), named) && named == c.order);
  }
  EXPECT_EQ(NextSongOrder(SongOrder::ByDifficulty), SongOrder::ByName);
  std::vector<std::string> problems;
  EXPECT_EQ(ParseSettings("song_order = tempo\n", problems).songOrder, "tempo");
  EXPECT_EQ(ParseSettings("song_order = fastest\n", problems).songOrder, "name");
  EXPECT_EQ(problems.size(), 1u);
}

TEST(Favourites, AMissingSongIsSkippedAndKept) {
  ScratchFolder scratch;
  WriteTextFile("Music/P/a/x.ogg", "");
  WriteTextFile("Music/b.mp3", "");
  WriteTextFile(FavouritesPath, "P/a/x.ogg\r\n\nGone/x.ogg\n" + std::string(5000, 'x') + "\nP/a/x.ogg\n");
  ForgetFavourites();
  ForgetLibraryCache();
  OpenSongLibrary(SongOrder::ByName);
  ASSERT_EQ(Packs.size(), 2u);
  EXPECT_EQ(Names(Packs[0]), (std::vector<std::string>{"a"}));
  ToggleFavourite("b.mp3");
  ToggleFavourite("P/a/x.ogg");
  EXPECT_EQ(ReadTextFile(FavouritesPath), "Gone/x.ogg\nb.mp3\n");
  ForgetFavourites();  // the next run
  EXPECT_TRUE(IsFavourite("b.mp3") && IsFavourite("Gone/x.ogg") && !IsFavourite("P/a/x.ogg"));
  ToggleFavourite("b.mp3");
  ToggleFavourite("Gone/x.ogg");
  OpenSongLibrary(SongOrder::ByName);
  EXPECT_EQ(Packs.size(), 1u);  // no Favourites row without a favourite listed
}

TEST(SongInfo, PanelValuesFromStepFiles) {
  ScratchFolder scratch;
  struct Case {
    const char* text;
    const char* artist;
    const char* tempo;
    const char* meters;
  } cases[] = {
      {"#ARTIST: Band ;#BPMS:0.000=120.000,32.000=240.000;\n#NOTES:\n dance-single:\n :\n Easy:\n 3:\n 0,0:\n0000\n;"
       "#NOTES:dance-double::Hard:12::\n00000000\n;\n#NOTES:Dance-Single::Hard:10::\n0000\n;",
       "Band", "120-240 BPM", "3 10"},
      {"#DISPLAYBPM:180:90;#BPMS:0=150;", "", "90-180 BPM", ""},
      {"#DISPLAYBPM:*;#BPMS:0=150;", "", "150 BPM", ""},
      {"#BPMS:0=-5,4=junk,8=1e9;", "", "", ""},
      {"#TITLE:S;\n#NOTEDATA:;\n#STEPSTYPE:dance-single;\n#METER:7;\n#NOTES:\n0000\n;\n#NOTEDATA:;\n"
       "#STEPSTYPE:pump-single;\n#METER:15;\n#NOTES:\n00000\n;\n#NOTEDATA:;\n#METER:2;\n#STEPSTYPE:dance-single;\n"
       "#METER:x;\n",
       "", "", "7"},
  };
  for (const Case& c : cases) {
    WriteTextFile("s.sm", c.text);
    SongInfo info = ReadSongInfo("missing.ogg", "s.sm");
    EXPECT_EQ(info.artist, c.artist) << c.text;
    EXPECT_EQ(TempoText(info.bpmLow, info.bpmHigh), c.tempo) << c.text;
    EXPECT_EQ(MetersText(info.meters), c.meters) << c.text;
    EXPECT_EQ(info.seconds, 0);
  }
  EXPECT_EQ(ReadSongInfo("missing.ogg", "missing.sm"), SongInfo{});
  EXPECT_EQ(BannerIn("../x/Cover.PNG", {"cover.png", "banner.jpg"}), "cover.png");
  EXPECT_EQ(BannerIn("notes.sm", {"bg.png", "Song-BN.jpeg", "notes.sm"}), "Song-BN.jpeg");
  EXPECT_EQ(BannerIn("gone.png", {"bg.png"}), "");
  EXPECT_EQ(LengthText(105.4), "1:45");
  EXPECT_EQ(LengthText(0), "");
}
