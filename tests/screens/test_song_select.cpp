// The song select: its rows, scroll controls and the scan on entry.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "charts/library.h"
#include "charts/packs.h"
#include "kit/button_list.h"
#include "kit/images.h"
#include "kit/input.h"
#include "screens/screen_state.h"
#include "screens/song_select.h"
#include "test_support.h"

namespace {

namespace fs = std::filesystem;

void MakeSongs(int count) {
  fs::create_directories("Music");
  for (int i = 0; i < count; ++i) std::ofstream("Music/song" + std::to_string(10000 + i) + ".mp3");
}

class SongSelectTest : public testing::Test {
 protected:
  void SetUp() override {
    OpenTestScreen();
    arrows = MakeImage(64, 16, 9, 250, 9);  // every arrow icon one flat colour
    for (int i = 0; i < 4; ++i) ArrowRects[i] = MakeRect(16 * i, 0, 16, 16);
    ArrowsImage = arrows;
    SongListScroll = 0;
    ResetInput();
  }
  void TearDown() override {
    ArrowsImage = nullptr;
    SDL_FreeSurface(arrows);
    SongListScroll = 0, ScreenChanged = false, Screen = ScreenId::Title;
    OpenPack.clear(), TopSearch.clear(), PackSearch.clear();
    ResetInput();
  }
  // One frame with a left click at (x, y) (none for x < 0); gives the screen it chose.
  ScreenId Frame(int x = -1, int y = 0, bool entry = false, const char* typed = "") {
    Screen = ScreenId::SongSelect;
    ScreenChanged = entry;
    ResetInput(x, y);
    KeysTyped = typed;
    MouseButtons[1] = x < 0 ? KeyState::Up : KeyState::Pressed;
    FillScreen(0, 0, 0);
    RunSongSelect();
    ScreenChanged = false;
    ResetInput();
    return Screen;
  }
  // The songs of the seven rows, found by clicking each row; then whether the arrows show.
  std::vector<std::string> Rows() {
    std::vector<std::string> rows;
    for (int r = 0; r < ListRows; ++r)
      if (SelectedSong.clear(); Frame(320, 95 + 40 * r) == ScreenId::DifficultySelect) rows.push_back(SelectedSong);
    return rows;
  }
  std::string Arrows() {
    Frame();
    return std::string(ScreenPixel(312, 46) == 0x09FA09 ? "up" : "") + (ScreenPixel(327, 381) == 0x09FA09 ? "down" : "");
  }
  SDL_Surface* arrows = nullptr;
  ScratchFolder scratch;
};

}  // namespace

TEST_F(SongSelectTest, ListsMp3AndOggEntriesOfAnyCaseOnly) {
  for (const char* name : {"a.mp3", "b.MP3", "c.Mp3", "song.ogg", "Tune.OGG", "notes.sm", "a.mp3.tq", "x.ogg.score"})
    WriteTextFile(fs::path("Music") / name, "");
  fs::create_directory("Music/Old.mp3");
  Frame(-1, 0, true);
  EXPECT_EQ(Rows(), (std::vector<std::string>{"a.mp3", "b.MP3", "c.Mp3", "Old.mp3", "song.ogg", "Tune.OGG"}));
  EXPECT_EQ(Arrows(), "");
  EXPECT_EQ(Frame(550, 435), ScreenId::Title);
}

TEST_F(SongSelectTest, SevenSongsFitAndAnEighthScrollsOneRowPerClick) {
  MakeSongs(7);
  Frame(-1, 0, true);
  EXPECT_EQ(Rows().size(), 7u);
  EXPECT_EQ(Arrows(), "");
  MakeSongs(8);
  Frame(-1, 0, true);
  EXPECT_EQ(Rows().front(), "song10000.mp3");
  EXPECT_EQ(Arrows(), "down");
  Frame(320, 375);
  EXPECT_EQ(Rows().front(), "song10001.mp3");
  EXPECT_EQ(Rows().back(), "song10007.mp3");
  EXPECT_EQ(Arrows(), "up");
  Frame(320, 375);  // no down button any more
  Frame(320, 55);
  EXPECT_EQ(SongListScroll, 0);
}

TEST_F(SongSelectTest, ScrollSurvivesVisitsAndAFolderThatLostSongs) {
  MakeSongs(12);
  Frame(-1, 0, true);
  for (int i = 0; i < 5; ++i) Frame(320, 375);
  Frame(-1, 0, true);  // back from the difficulty select
  EXPECT_EQ(Rows().front(), "song10005.mp3");
  for (int i = 3; i < 12; ++i) fs::remove("Music/song" + std::to_string(10000 + i) + ".mp3");
  Frame(-1, 0, true);
  EXPECT_TRUE(Rows().empty());
  EXPECT_EQ(Arrows(), "up");
  for (int i = 0; i < 3; ++i) Frame(320, 55);
  EXPECT_EQ(Rows(), (std::vector<std::string>{"song10002.mp3"}));
  fs::remove_all("Music");
  Frame(-1, 0, true);
  EXPECT_EQ(Arrows(), "");
}

TEST_F(SongSelectTest, TenThousandSongsScrollToTheLastSeven) {
  LooseSongs.clear();  // as a scan of a huge folder leaves it, without making the files
  for (int i = 0; i < 10000; ++i) {
    std::string name = "t" + std::to_string(10000 + i) + ".mp3";
    LooseSongs.push_back({name, name, "", true});
  }
  SongRowsStale = true;
  SongListScroll = 9992;
  Frame(320, 375);
  EXPECT_EQ(Rows().back(), "t19999.mp3");
  EXPECT_EQ(Arrows(), "up");
}

TEST_F(SongSelectTest, PacksOpenAndCloseAndTypingFiltersEachLevel) {
  for (const char* file : {"Music/Pack/S1/b.ogg", "Music/Pack/S2/c.ogg", "Music/a.mp3", "Music/Solo/x.ogg"})
    WriteTextFile(file, "");
  WriteTextFile("Music/Pack/S2/c.ssc", "#TITLE:Z\xC3\xA9" "bra;");
  Frame(-1, 0, true);
  SongListScroll = 1;
  Frame(-1, 0, false, "o");  // a search shows its rows from the first: of the pack, a and Solo, Solo
  EXPECT_EQ(Frame(320, 95), ScreenId::DifficultySelect);
  EXPECT_EQ(SelectedSong, "Solo/x.ogg");
  Frame(-1, 0, false, "\b");
  EXPECT_EQ(Frame(320, 95), ScreenId::SongSelect);  // the pack's row opens the pack
  EXPECT_EQ(OpenPack, "Pack");
  EXPECT_EQ(Rows(), (std::vector<std::string>{"Pack/S1/b.ogg", "Pack/S2/c.ogg"}));
  Frame(-1, 0, false, "ZEB");  // the title, accents folded
  EXPECT_EQ(Rows(), (std::vector<std::string>{"Pack/S2/c.ogg"}));
  Frame(-1, 0, true, "\b\b\bq");  // kept over a visit to the difficulty select
  EXPECT_TRUE(Rows().empty());
  EXPECT_EQ(Frame(550, 435), ScreenId::SongSelect);  // Back: to the packs, as they were left
  EXPECT_TRUE(OpenPack.empty());
  EXPECT_EQ(Frame(320, 135), ScreenId::DifficultySelect);
  EXPECT_EQ(SelectedSong, "a.mp3");
  EXPECT_EQ(Frame(550, 435), ScreenId::Title);
  EXPECT_TRUE(TopSearch.empty());
}

// Typed at the top level, the search looks through every song of the library:
// a pack's songs by their title and by their pack's name, listed flat.
TEST_F(SongSelectTest, TheTopLevelSearchFindsEverySongOfTheLibrary) {
  for (const char* file : {"Music/Pack/S1/b.ogg", "Music/Pack/S2/c.ogg", "Music/a.mp3"}) WriteTextFile(file, "");
  WriteTextFile("Music/Pack/S2/c.ssc", "#TITLE:Zebra;");
  Frame(-1, 0, true);
  struct Case { const char* typed; std::vector<std::string> rows; };
  for (const Case& c : {Case{"zeb", {"Pack/S2/c.ogg"}}, Case{"pack", {"Pack/S1/b.ogg", "Pack/S2/c.ogg"}}, Case{"qq", {}}}) {
    TopSearch.clear();
    Frame(-1, 0, false, c.typed);
    EXPECT_EQ(Rows(), c.rows) << c.typed;
    EXPECT_TRUE(OpenPack.empty());
  }
}
