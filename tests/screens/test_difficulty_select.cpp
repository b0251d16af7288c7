#include <gtest/gtest.h>
#include <sys/resource.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "app/screen_state.h"
#include "charts/chart_file.h"
#include "kit/images.h"
#include "kit/input.h"
#include "screens/difficulty_select.h"
#include "test_support.h"

namespace {

// Glyph n of the made-up font is one flat colour: red n + 1 on a marker green and blue.
constexpr Uint8 MarkG = 77, MarkB = 201;

char GlyphAt(int x, int y) {
  if (x < 0 || x >= 640) return 0;
  Uint32 p = ScreenPixel(x, y);
  if (((p >> 8) & 0xFF) != MarkG || (p & 0xFF) != MarkB) return 0;
  return static_cast<char>((p >> 16) - 1 + 32);
}

// The text of a line drawn with its top at y and its first glyph at x.
std::string TextFrom(int x, int y) {
  std::string text;
  for (char c; (c = GlyphAt(x + 5 + 11 * static_cast<int>(text.size()), y + 10)) != 0;) text += c;
  return text;
}

// The text of a right-aligned line that ends at x.
std::string TextEndingAt(int x, int y) {
  std::string text;
  for (char c; (c = GlyphAt(x - 11 * static_cast<int>(text.size() + 1) + 5, y + 10)) != 0;) text.insert(0, 1, c);
  return text;
}

long PeakMemoryKb() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

bool Flags[DifficultyCount];
int Scores[DifficultyCount];

std::string FlagString() {
  std::string s;
  for (bool f : Flags) s += f ? '1' : '0';
  return s;
}

std::string ScanChart(const std::string& text) {
  WriteTextFile("chart.tq", text);
  ReadChartDifficulties("chart.tq", Flags);
  return FlagString();
}

std::string ScoreString() {
  std::string s;
  for (int v : Scores) s += std::to_string(v) + " ";
  return s;
}

std::string ReadScores(const std::string& text) {
  WriteTextFile("song.score", text);
  for (int& v : Scores) v = 77;  // every value must be written by the reader
  ReadBestScores("song.score", Scores);
  return ScoreString();
}

class ChartScanTest : public testing::Test {
 protected:
  ScratchFolder scratch;
};

}  // namespace

TEST_F(ChartScanTest, LfCrLfAndOneLineFilesReadAlike) {
  EXPECT_EQ(ScanChart("<starteasy>\n0\n10\n0\n----\n<stop>\n<starthard>\n<stop>\n"), "01010");
  EXPECT_EQ(ScanChart("<starteasy>\r\n0\r\n10\r\n0\r\n----\r\n<stop>\r\n<starthard>\r\n<stop>\r\n"), "01010");
  EXPECT_EQ(ScanChart("<starteasy> 0 10 0 ---- <stop> <starthard> <stop>"), "01010");
  EXPECT_EQ(ScanChart("\t<starteasy>\v\f<starthard>"), "01010");
}

TEST_F(ChartScanTest, AllFiveTagsInAnyOrder) {
  EXPECT_EQ(ScanChart("<startchallenge>\n<stop>\n<startmedium>\n<stop>\n<startbeginner>\n<stop>\n"
                      "<starthard>\n<stop>\n<starteasy>\n<stop>\n"),
            "11111");
}

TEST_F(ChartScanTest, GluedTagCountsAndTagsNeedNoNotes) {
  EXPECT_EQ(ScanChart("<starthard>xyz\n"), "00010");
  EXPECT_EQ(ScanChart("<startbeginner><stop>"), "10000");
  EXPECT_EQ(ScanChart("<startmedium>"), "00100");  // no final line break, no notes
}

TEST_F(ChartScanTest, WordsThatOnlyLookLikeTagsDoNotCount) {
  EXPECT_EQ(ScanChart("x<starthard> <StartEasy> <startmediu <start <stop> ---- 0 1 2\n"), "00000");
  EXPECT_EQ(ScanChart("<start\nhard>"), "00000");
}

TEST_F(ChartScanTest, MissingEmptyAndFolderFilesGiveNoFlags) {
  for (bool& f : Flags) f = true;
  ReadChartDifficulties("no such file.tq", Flags);
  EXPECT_EQ(FlagString(), "00000");
  EXPECT_EQ(ScanChart(""), "00000");
  EXPECT_EQ(ScanChart("   \n\r\n"), "00000");
  std::filesystem::create_directory("folder.tq");
  for (bool& f : Flags) f = true;
  ReadChartDifficulties("folder.tq", Flags);
  EXPECT_EQ(FlagString(), "00000");
}

TEST_F(ChartScanTest, FlagsAreClearedBeforeEachScan) {
  EXPECT_EQ(ScanChart("<startchallenge>"), "00001");
  EXPECT_EQ(ScanChart("<startbeginner>"), "10000");
}

TEST_F(ChartScanTest, WordsBeyondTheLongestTokenAreRefused) {
  std::string fits = "<starthard>" + std::string(LongestChartToken - 11, 'x');
  EXPECT_EQ(fits.size(), LongestChartToken);
  EXPECT_EQ(ScanChart(fits), "00010");
  EXPECT_EQ(ScanChart(fits + "x"), "00000");
  EXPECT_EQ(ScanChart(fits + "x\n<starteasy>"), "01000");  // scanning goes on after it
}

TEST_F(ChartScanTest, TagsAcrossReadPiecesAreStillWholeWords) {
  // Every position of a tag against the reader's piece boundaries.
  for (size_t pad = 4070; pad < 4110; ++pad) {
    std::string text(pad, ' ');
    text += "<startmedium>\n";
    ASSERT_EQ(ScanChart(text), "00100") << pad;
  }
}

TEST_F(ChartScanTest, HugeSingleWordAndBinaryGarbageAreSafe) {
  {
    std::ofstream out("huge.tq", std::ios::binary);
    std::string block(1 << 20, '<');
    for (int i = 0; i < 100; ++i) out << block;  // one word of 100 MB
    out << "\n<startchallenge>\n";
  }
  long before = PeakMemoryKb();
  ReadChartDifficulties("huge.tq", Flags);
  EXPECT_EQ(FlagString(), "00001");
  EXPECT_LT(PeakMemoryKb() - before, 32 * 1024);  // read in pieces, never held whole
  std::string garbage;
  for (int i = 0; i < 70000; ++i) garbage += static_cast<char>((i * 7919) % 256);
  garbage[0] = '\0';
  EXPECT_EQ(ScanChart(garbage + " <starteasy>\n" + garbage), "01000");
}

TEST_F(ChartScanTest, ScoresReadFiveNumbersWithAnyWhiteSpace) {
  EXPECT_EQ(ReadScores("10\n20\n30\n40\n50\n"), "10 20 30 40 50 ");
  EXPECT_EQ(ReadScores("10\r\n20\r\n30\r\n40\r\n50\r\n"), "10 20 30 40 50 ");
  EXPECT_EQ(ReadScores("  10 20\t30\n\n40 50"), "10 20 30 40 50 ");
  EXPECT_EQ(ReadScores("1 2 3 4 5 6 7"), "1 2 3 4 5 ");
}

TEST_F(ChartScanTest, TheFirstFailedReadZeroesThatScoreAndAllLater) {
  EXPECT_EQ(ReadScores("57\n100\n"), "57 100 0 0 0 ");
  EXPECT_EQ(ReadScores("12\nabc\n30\n40\n50\n"), "12 0 0 0 0 ");
  EXPECT_EQ(ReadScores("12abc 30"), "12 0 0 0 0 ");
  EXPECT_EQ(ReadScores("hello 1 2 3 4 5"), "0 0 0 0 0 ");
  EXPECT_EQ(ReadScores(""), "0 0 0 0 0 ");
  EXPECT_EQ(ReadScores("-5 +7 0 0 0"), "-5 7 0 0 0 ");
}

TEST_F(ChartScanTest, ScoresBeyondIntCountAsFailedReads) {
  EXPECT_EQ(ReadScores("1 2147483647 2147483648 4 5"), "1 2147483647 0 0 0 ");
  EXPECT_EQ(ReadScores("-2147483648 99999999999999999999999 3"), "-2147483648 0 0 0 0 ");
}

TEST_F(ChartScanTest, MissingGarbageAndHugeScoreFilesAreSafe) {
  for (int& v : Scores) v = 77;
  ReadBestScores("missing.score", Scores);
  EXPECT_EQ(ScoreString(), "0 0 0 0 0 ");
  std::string garbage;
  for (int i = 0; i < 5000; ++i) garbage += static_cast<char>((i * 131) % 256);
  EXPECT_EQ(ReadScores("3 " + garbage), "3 0 0 0 0 ");
  EXPECT_EQ(ReadScores("4 " + std::string(10 << 20, '9')), "4 0 0 0 0 ");
  EXPECT_EQ(ReadScores(std::string(10 << 20, ' ') + "8 9"), "8 9 0 0 0 ");
}

namespace {

class DifficultySelectTest : public testing::Test {
 protected:
  void SetUp() override {
    OpenTestScreen();
    FillScreen(0, 0, 0);
    savedFont = FontImage;
    savedButton = ButtonImage;
    std::copy(std::begin(GlyphRects), std::end(GlyphRects), savedGlyphs);
    font = MakeImage(95 * 15, 21, 0, 0, 0);
    for (int i = 0; i < 95; ++i) {
      SDL_Rect cell = MakeRect(15 * i, 0, 15, 21);
      SDL_FillRect(font, &cell, SDL_MapRGBA(font->format, i + 1, MarkG, MarkB, 255));
      GlyphRects[i] = cell;
    }
    FontImage = font;
    ButtonImage = nullptr;
    ResetInput();
    SelectedSong = "Track.mp3";
    SelectedDifficulty = Beginner;
    Screen = DifficultySelect;
  }
  void TearDown() override {
    FontImage = savedFont;
    ButtonImage = savedButton;
    std::copy(std::begin(savedGlyphs), std::end(savedGlyphs), GlyphRects);
    SDL_FreeSurface(font);
    ResetInput();
    ScreenChanged = false;
    Screen = Title;
  }
  // The entry frame, then a plain frame drawn on a clean screen.
  void Enter() {
    ScreenChanged = true;
    RunDifficultySelect();
    ScreenChanged = false;
    FillScreen(0, 0, 0);
    RunDifficultySelect();
  }
  // Runs one frame with a left click at (x, y) and gives the screen it chose.
  int ClickAt(int x, int y) {
    Screen = DifficultySelect;
    ResetInput(x, y);
    MouseButtons[1] = Pressed;
    RunDifficultySelect();
    ResetInput();
    return Screen;
  }
  ScratchFolder scratch;
  SDL_Surface* font = nullptr;
  SDL_Surface* savedFont = nullptr;
  SDL_Surface* savedButton = nullptr;
  SDL_Rect savedGlyphs[95];
};

}  // namespace

TEST_F(DifficultySelectTest, NoChartShowsOnlyTheChartButtonsAndBack) {
  Enter();
  EXPECT_EQ(TextFrom(25, 45), "Track");
  for (int y = 85; y <= 255; y += 40) EXPECT_EQ(TextFrom(75, y), "") << y;
  EXPECT_EQ(ClickAt(320, 95), ChartCreate);
  EXPECT_EQ(ClickAt(320, 135), ChartImport);
  EXPECT_EQ(ClickAt(320, 175), DifficultySelect);
  EXPECT_EQ(ClickAt(550, 435), SongSelect);
  EXPECT_EQ(SelectedDifficulty, Beginner);
}

TEST_F(DifficultySelectTest, ChartWithoutTagsLooksLikeNoChart) {
  WriteTextFile("Music/Track.mp3.tq", "0\n10\n0\n----\n<stop>\n");
  Enter();
  EXPECT_EQ(TextFrom(75, 85), "");
  EXPECT_EQ(ClickAt(320, 95), ChartCreate);
  EXPECT_EQ(ClickAt(320, 135), ChartImport);
}

TEST_F(DifficultySelectTest, OneSectionMovesTheChartButtonsDown) {
  for (const char* tag : {"<starteasy>", "<starthard>"}) {
    WriteTextFile("Music/Track.mp3.tq", std::string(tag) + "\n<stop>\n");
    Enter();
    EXPECT_EQ(ClickAt(320, 95), SongStart) << tag;
    EXPECT_EQ(SelectedDifficulty, tag[6] == 'e' ? Easy : Hard);
    EXPECT_EQ(ClickAt(320, 135), DifficultySelect);  // the gap
    EXPECT_EQ(ClickAt(320, 175), ChartCreate);
    EXPECT_EQ(ClickAt(320, 215), ChartImport);
  }
}

TEST_F(DifficultySelectTest, FiveSectionsFillRowsFrom95To255) {
  WriteTextFile("Music/Track.mp3.tq",
                "<startchallenge>\n<stop>\n<starthard>\n<stop>\n<startmedium>\n<stop>\n"
                "<starteasy>\n<stop>\n<startbeginner>\n<stop>\n");
  WriteTextFile("Music/Track.mp3.score", "1\n22\n57\n100\n5\n");
  Enter();
  const char* rows[] = {"play beginner", "play easy", "play medium", "play hard", "play challenge"};
  const char* bests[] = {"1%", "22%", "57%", "100%", "5%"};
  for (int d = 0; d < DifficultyCount; ++d) {
    EXPECT_EQ(TextFrom(75, 85 + 40 * d), rows[d]);
    EXPECT_EQ(TextEndingAt(565, 85 + 40 * d), bests[d]);
    EXPECT_EQ(ClickAt(320, 95 + 40 * d), SongStart);
    EXPECT_EQ(SelectedDifficulty, d);
  }
  EXPECT_EQ(ClickAt(320, 295), DifficultySelect);
  EXPECT_EQ(ClickAt(320, 335), ChartCreate);
  EXPECT_EQ(ClickAt(320, 375), ChartImport);
  EXPECT_EQ(ClickAt(550, 435), SongSelect);
}

TEST_F(DifficultySelectTest, EasyAndHardOnlyShowTheirStoredBests) {
  WriteTextFile("Music/Track.mp3.tq", "<starteasy>\n0\n10\n0\n----\n<stop>\n<starthard>\n<stop>\n");
  WriteTextFile("Music/Track.mp3.score", "0\n41\n0\n57\n0\n");
  Enter();
  EXPECT_EQ(TextFrom(75, 85), "play easy");
  EXPECT_EQ(TextEndingAt(565, 85), "41%");
  EXPECT_EQ(TextFrom(75, 125), "play hard");
  EXPECT_EQ(TextEndingAt(565, 125), "57%");
  EXPECT_EQ(TextFrom(75, 165), "");
  EXPECT_EQ(ClickAt(320, 135), SongStart);
  EXPECT_EQ(SelectedDifficulty, Hard);
  EXPECT_EQ(BestScores[Easy], 41);
  EXPECT_EQ(BestScores[Hard], 57);
}

TEST_F(DifficultySelectTest, PlayMediumIsChosenAndTheFrameIsStillDrawnWhole) {
  WriteTextFile("Music/Track.mp3.tq", "<startbeginner> <stop> <startmedium> <stop>");
  Enter();
  FillScreen(0, 0, 0);
  EXPECT_EQ(ClickAt(320, 135), SongStart);
  EXPECT_EQ(SelectedDifficulty, Medium);
  EXPECT_EQ(TextFrom(75, 85), "play beginner");
  EXPECT_EQ(TextFrom(75, 125), "play medium");
  EXPECT_EQ(TextEndingAt(565, 125), "0%");
  EXPECT_EQ(TextFrom(25, 45), "Track");
}

TEST_F(DifficultySelectTest, FilesAreReadOnEntryOnly) {
  WriteTextFile("Music/Track.mp3.tq", "<starteasy>");
  WriteTextFile("Music/Track.mp3.score", "0 30");
  Enter();
  WriteTextFile("Music/Track.mp3.tq", "<startbeginner>");
  WriteTextFile("Music/Track.mp3.score", "90 30");
  RunDifficultySelect();
  EXPECT_TRUE(ChartHasDifficulty[Easy]);
  EXPECT_FALSE(ChartHasDifficulty[Beginner]);
  EXPECT_EQ(BestScores[Beginner], 0);
  Enter();  // coming back from the generator, the importer or the results
  EXPECT_FALSE(ChartHasDifficulty[Easy]);
  EXPECT_TRUE(ChartHasDifficulty[Beginner]);
  EXPECT_EQ(BestScores[Beginner], 90);
  EXPECT_EQ(TextEndingAt(565, 85), "90%");
}

TEST_F(DifficultySelectTest, MissingScoreFileZeroesEveryBest) {
  for (int& b : BestScores) b = 64;
  WriteTextFile("Music/Track.mp3.tq", "<startchallenge>");
  Enter();
  for (int b : BestScores) EXPECT_EQ(b, 0);
  EXPECT_EQ(TextFrom(75, 85), "play challenge");
  EXPECT_EQ(TextEndingAt(565, 85), "0%");
}

TEST_F(DifficultySelectTest, FilesFollowTheSongsOwnNameAndCase) {
  SelectedSong = "SONG.MP3";
  WriteTextFile("Music/song.mp3.tq", "<starteasy>");
  WriteTextFile("Music/SONG.MP3.tq", "<startmedium>");
  WriteTextFile("Music/SONG.MP3.score", "1 2 3 4 5");
  Enter();
  EXPECT_EQ(TextFrom(75, 85), "play medium");
  EXPECT_EQ(TextEndingAt(565, 85), "3%");
  EXPECT_EQ(TextFrom(25, 45), "SONG");
}

TEST_F(DifficultySelectTest, LongSongNameIsCutButItsFilesAreFound) {
  std::string stem(200, 'n');
  SelectedSong = stem + ".mp3";
  WriteTextFile("Music/" + stem + ".mp3.tq", "<startbeginner>");
  Enter();
  EXPECT_EQ(TextFrom(25, 45), std::string(50, 'n'));
  EXPECT_TRUE(ChartHasDifficulty[Beginner]);
}
