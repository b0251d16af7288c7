#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <tuple>
#include <vector>

#include "app/screen_state.h"
#include "charts/library.h"
#include "kit/images.h"
#include "kit/input.h"
#include "screens/song_select.h"
#include "test_support.h"

namespace {

namespace fs = std::filesystem;

// Arrow cell i of the made-up icon sheet is one flat colour.
Uint32 ArrowColour(int cell) { return (Uint32(40 + cell) << 16) | (250 << 8) | 3; }

// The text a button shows: its label's glyphs are flat colours, red = glyph + 1.
constexpr Uint8 MarkG = 77, MarkB = 201;

std::string LabelOfRow(int row) {
  int y = 95 + 40 * row - 5 + 10;  // middle of the glyph cells
  int start = 0;
  while (start < 640 && (ScreenPixel(start, y) & 0xFFFF) != ((MarkG << 8) | MarkB)) ++start;
  std::string text;
  for (int x = start + 5; x < 640; x += 11) {
    Uint32 p = ScreenPixel(x, y);
    if ((p & 0xFFFF) != ((MarkG << 8) | MarkB)) break;
    text += static_cast<char>((p >> 16) - 1 + 32);
  }
  return text;
}

void MakeSongs(const std::vector<std::string>& names) {
  fs::create_directories("Music");
  for (const std::string& name : names) std::ofstream(fs::path("Music") / name);
}

std::vector<std::string> Numbered(int count) {
  std::vector<std::string> names;
  for (int i = 0; i < count; ++i) names.push_back("song" + std::to_string(10 + i) + ".mp3");
  return names;
}

class SongSelectTest : public testing::Test {
 protected:
  void SetUp() override {
    OpenTestScreen();
    savedFont = FontImage;
    savedArrows = ArrowsImage;
    savedButton = ButtonImage;
    std::copy(std::begin(GlyphRects), std::end(GlyphRects), savedGlyphs);
    std::copy(std::begin(ArrowRects), std::end(ArrowRects), savedArrowRects);
    font = MakeImage(95 * 15, 21, 0, 0, 0);
    for (int i = 0; i < 95; ++i) {
      GlyphRects[i] = MakeRect(15 * i, 0, 15, 21);
      SDL_FillRect(font, &GlyphRects[i], SDL_MapRGBA(font->format, i + 1, MarkG, MarkB, 255));
    }
    arrows = MakeImage(64, 16, 0, 0, 0);
    for (int i = 0; i < 4; ++i) {
      ArrowRects[i] = MakeRect(16 * i, 0, 16, 16);
      SDL_FillRect(arrows, &ArrowRects[i], SDL_MapRGBA(arrows->format, 40 + i, 250, 3, 255));
    }
    FontImage = font;
    ArrowsImage = arrows;
    ButtonImage = nullptr;
    SongListScroll = 0;
    SelectedSong.clear();
    ResetInput();
  }
  void TearDown() override {
    FontImage = savedFont;
    ArrowsImage = savedArrows;
    ButtonImage = savedButton;
    std::copy(std::begin(savedGlyphs), std::end(savedGlyphs), GlyphRects);
    std::copy(std::begin(savedArrowRects), std::end(savedArrowRects), ArrowRects);
    SDL_FreeSurface(font);
    SDL_FreeSurface(arrows);
    SongListScroll = 0;
    SongList.clear();
    ScreenChanged = false;
    Screen = Title;
    ResetInput();
  }
  // One frame on a clean screen; entry frames rescan Music/.
  void Frame(bool entry = false) {
    Screen = SongSelect;
    ScreenChanged = entry;
    FillScreen(0, 0, 0);
    RunSongSelect();
    ScreenChanged = false;
  }
  // One frame with a left click at (x, y); gives the screen it chose.
  int ClickAt(int x, int y) {
    ResetInput(x, y);
    MouseButtons[1] = Pressed;
    Frame();
    ResetInput();
    return Screen;
  }
  // Whether a plain frame shows the arrow icons, each 16 x 16 at its place.
  bool UpShown() {
    Frame();
    return ScreenPixel(312, 46) == ArrowColour(2) && ScreenPixel(327, 61) == ArrowColour(2);
  }
  bool DownShown() {
    Frame();
    return ScreenPixel(312, 366) == ArrowColour(0) && ScreenPixel(327, 381) == ArrowColour(0);
  }
  // The labels of the seven rows as drawn, empty rows left out.
  std::vector<std::string> Rows() {
    Frame();
    std::vector<std::string> rows;
    for (int r = 0; r < SongRows; ++r)
      if (std::string label = LabelOfRow(r); !label.empty()) rows.push_back(label);
    return rows;
  }
  ScratchFolder scratch;
  SDL_Surface* font = nullptr;
  SDL_Surface* arrows = nullptr;
  SDL_Surface* savedFont = nullptr;
  SDL_Surface* savedArrows = nullptr;
  SDL_Surface* savedButton = nullptr;
  SDL_Rect savedGlyphs[95];
  SDL_Rect savedArrowRects[4];
};

}  // namespace

TEST_F(SongSelectTest, OnlyMp3EntriesOfAnyCaseAreListed) {
  MakeSongs({"a.mp3", "b.MP3", "c.Mp3", "song.ogg", "notes.sm", "a.mp3.tq", "a.mp3.score"});
  fs::create_directory("Music/Old.mp3");
  Frame(true);
  EXPECT_EQ(Rows(), (std::vector<std::string>{"a", "b", "c", "Old"}));
  EXPECT_FALSE(UpShown());
  EXPECT_FALSE(DownShown());
}

TEST_F(SongSelectTest, ClickingASongSelectsItsFullName) {
  MakeSongs({"a.mp3", "b.MP3", "c.Mp3"});
  Frame(true);
  EXPECT_EQ(ClickAt(320, 135), DifficultySelect);
  EXPECT_EQ(SelectedSong, "b.MP3");
  EXPECT_EQ(ClickAt(20, 175), DifficultySelect);  // the left end of the row
  EXPECT_EQ(SelectedSong, "c.Mp3");
  SelectedSong = "kept";
  EXPECT_EQ(ClickAt(320, 215), SongSelect);  // no fourth song
  EXPECT_EQ(SelectedSong, "kept");
}

TEST_F(SongSelectTest, LabelsDropTheExtensionAndStopAtFifty) {
  std::string sixty;
  for (int i = 0; i < 60; ++i) sixty += static_cast<char>('A' + i % 26);
  MakeSongs({"My Song.mp3", sixty + ".mp3"});
  Frame(true);
  EXPECT_EQ(Rows(), (std::vector<std::string>{sixty.substr(0, 50), "My Song"}));
  EXPECT_EQ(ClickAt(320, 95), DifficultySelect);
  EXPECT_EQ(SelectedSong, sixty + ".mp3");
}

TEST_F(SongSelectTest, NonAsciiNamesDrawAsBlanksAndStaySelectable) {
  std::string name = "Caf\xC3\xA9.mp3";
  MakeSongs({name});
  Frame(true);
  EXPECT_EQ(Rows(), (std::vector<std::string>{"Caf  "}));
  EXPECT_EQ(ClickAt(320, 95), DifficultySelect);
  EXPECT_EQ(SelectedSong, name);
  EXPECT_TRUE(fs::exists(MusicPath(SelectedSong)));
}

TEST_F(SongSelectTest, SevenSongsNeedNoArrows) {
  MakeSongs(Numbered(7));
  Frame(true);
  EXPECT_EQ(Rows().size(), 7u);
  EXPECT_FALSE(UpShown());
  EXPECT_FALSE(DownShown());
  EXPECT_EQ(ClickAt(320, 375), SongSelect);
  EXPECT_EQ(ClickAt(320, 55), SongSelect);
  EXPECT_EQ(SongListScroll, 0);
}

TEST_F(SongSelectTest, EightSongsScrollOneRowPerClick) {
  MakeSongs(Numbered(8));
  Frame(true);
  EXPECT_EQ(Rows(), (std::vector<std::string>{"song10", "song11", "song12", "song13", "song14", "song15",
                                              "song16"}));
  EXPECT_FALSE(UpShown());
  EXPECT_TRUE(DownShown());
  EXPECT_EQ(ClickAt(320, 375), SongSelect);
  EXPECT_EQ(SongListScroll, 1);
  EXPECT_EQ(Rows(), (std::vector<std::string>{"song11", "song12", "song13", "song14", "song15", "song16",
                                              "song17"}));
  EXPECT_TRUE(UpShown());
  EXPECT_FALSE(DownShown());
  EXPECT_EQ(ClickAt(320, 375), SongSelect);  // no down button any more
  EXPECT_EQ(SongListScroll, 1);
  EXPECT_EQ(ClickAt(320, 95), DifficultySelect);
  EXPECT_EQ(SelectedSong, "song11.mp3");
  EXPECT_EQ(ClickAt(320, 55), SongSelect);
  EXPECT_EQ(SongListScroll, 0);
  EXPECT_FALSE(UpShown());
}

TEST_F(SongSelectTest, OtherEntriesTakeNoRowAndNoScrollPlace) {
  std::vector<std::string> names = Numbered(7);
  for (int i = 0; i < 7; ++i) names.push_back("song" + std::to_string(10 + i) + ".mp3.tq");
  MakeSongs(names);
  Frame(true);
  EXPECT_EQ(Rows().size(), 7u);
  EXPECT_FALSE(DownShown());
}

TEST_F(SongSelectTest, ScrollIsKeptAcrossVisitsAndRescans) {
  MakeSongs(Numbered(12));
  Frame(true);
  ClickAt(320, 375);
  ClickAt(320, 375);
  EXPECT_EQ(ClickAt(320, 95), DifficultySelect);
  EXPECT_EQ(SelectedSong, "song12.mp3");
  Frame(true);  // back from the difficulty select
  EXPECT_EQ(SongListScroll, 2);
  EXPECT_EQ(Rows().front(), "song12");
  EXPECT_TRUE(UpShown());
  EXPECT_TRUE(DownShown());
}

TEST_F(SongSelectTest, FolderThatLostSongsWhileScrolledComesBackWithTheUpArrow) {
  MakeSongs(Numbered(12));
  Frame(true);
  for (int i = 0; i < 5; ++i) ClickAt(320, 375);
  EXPECT_EQ(SongListScroll, 5);
  EXPECT_FALSE(DownShown());
  for (int i = 3; i < 12; ++i) fs::remove("Music/song" + std::to_string(10 + i) + ".mp3");
  Frame(true);
  EXPECT_TRUE(Rows().empty());
  EXPECT_TRUE(UpShown());
  EXPECT_FALSE(DownShown());
  EXPECT_EQ(ClickAt(320, 95), SongSelect);
  ClickAt(320, 55);
  ClickAt(320, 55);
  EXPECT_TRUE(Rows().empty());
  ClickAt(320, 55);
  EXPECT_EQ(Rows(), (std::vector<std::string>{"song12"}));
  ClickAt(320, 55);
  ClickAt(320, 55);
  EXPECT_EQ(Rows().size(), 3u);
  EXPECT_FALSE(UpShown());
}

TEST_F(SongSelectTest, ScrolledFolderThatLostEverySongShowsNoArrows) {
  MakeSongs(Numbered(9));
  Frame(true);
  ClickAt(320, 375);
  fs::remove_all("Music");
  Frame(true);
  EXPECT_TRUE(Rows().empty());
  EXPECT_FALSE(UpShown());
  EXPECT_FALSE(DownShown());
}

TEST_F(SongSelectTest, EmptyOrMissingFolderShowsOnlyBack) {
  for (bool make : {false, true}) {
    if (make) MakeSongs({"song.ogg"});
    Frame(true);
    EXPECT_TRUE(Rows().empty());
    EXPECT_FALSE(UpShown());
    EXPECT_FALSE(DownShown());
    EXPECT_EQ(ClickAt(320, 95), SongSelect);
    EXPECT_EQ(ClickAt(550, 435), Title);
  }
}

TEST_F(SongSelectTest, ListIsRescannedOnlyOnEntry) {
  MakeSongs({"first.mp3"});
  Frame(true);
  MakeSongs({"added.mp3"});
  EXPECT_EQ(Rows(), (std::vector<std::string>{"first"}));
  Frame(true);
  EXPECT_EQ(Rows(), (std::vector<std::string>{"added", "first"}));
}

TEST_F(SongSelectTest, TenThousandSongsScrollToTheLastSeven) {
  fs::create_directory("Music");
  for (int i = 0; i < 10000; ++i) std::ofstream("Music/t" + std::to_string(10000 + i) + ".mp3");
  Frame(true);
  SongListScroll = 9992;
  EXPECT_TRUE(DownShown());
  ClickAt(320, 375);
  EXPECT_EQ(SongListScroll, 9993);
  std::vector<std::string> rows = Rows();
  ASSERT_EQ(rows.size(), 7u);
  EXPECT_EQ(rows.back(), "t19999");
  EXPECT_FALSE(DownShown());
}

TEST_F(SongSelectTest, ArrowIconsSitOnTheMiddleOfTheirButtons) {
  MakeSongs(Numbered(9));
  Frame(true);
  ClickAt(320, 375);
  Frame();
  for (auto [x, y, cell] : {std::tuple{312, 46, 2}, std::tuple{312, 366, 0}}) {
    EXPECT_EQ(ScreenPixel(x, y), ArrowColour(cell));
    EXPECT_EQ(ScreenPixel(x + 15, y + 15), ArrowColour(cell));
    EXPECT_NE(ScreenPixel(x - 1, y), ArrowColour(cell));
    EXPECT_NE(ScreenPixel(x, y - 1), ArrowColour(cell));
    EXPECT_NE(ScreenPixel(x + 16, y + 16), ArrowColour(cell));
  }
  // The arrow buttons are 500 wide: a click beyond them but within a song row's width misses.
  EXPECT_EQ(ClickAt(50, 55), SongSelect);
  EXPECT_EQ(SongListScroll, 1);
  EXPECT_EQ(ClickAt(80, 55), SongSelect);
  EXPECT_EQ(SongListScroll, 0);
}

TEST_F(SongSelectTest, TheClickFrameIsDrawnAsTheListStoodBeforeIt) {
  MakeSongs(Numbered(8));
  Frame(true);
  ClickAt(320, 375);
  EXPECT_EQ(SongListScroll, 1);
  EXPECT_EQ(LabelOfRow(0), "song10");
  EXPECT_EQ(Rows().front(), "song11");
}
