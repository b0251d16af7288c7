#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "app/screen_state.h"
#include "charts/chart_file.h"
#include "game/play_helpers.h"

namespace {

// A chart of records "column time hold ----" for one difficulty.
std::string Section(const std::string& tag, int records, int firstTime = 0) {
  std::string text = tag + "\n";
  for (int i = 0; i < records; ++i)
    text += std::to_string(i % 4) + "\n" + std::to_string(firstTime + 10 * i) + "\n0\n----\n";
  return text + "<stop>\n";
}

void ReadText(const std::string& text, int difficulty) {
  std::istringstream in(text);
  ReadChartSection(in, difficulty);
}

void ExpectNote(const Note& note, int column, int time, int hold) {
  EXPECT_EQ(note.column, column);
  EXPECT_EQ(note.time, time);
  EXPECT_EQ(note.hold, hold);
}

struct ChartReading : testing::Test {
  void SetUp() override { ResetPlay(); }
};

TEST_F(ChartReading, EmptySectionGivesNoNotes) {
  AddNote(0, 5);  // left over from an earlier song
  ReadText("<starteasy>\n<stop>\n", Easy);
  EXPECT_TRUE(NoteList.empty());
}

TEST_F(ChartReading, RecordsKeepTheirValuesAndFileOrder) {
  ReadText("<startbeginner>\n2\n4118\n0\n----\n0\n-30\n250\n----\n3\n3075\n0\n----\n<stop>\n", Beginner);
  ASSERT_EQ(NoteList.size(), 3u);
  ExpectNote(NoteList[0], 2, 4118, 0);
  ExpectNote(NoteList[1], 0, -30, 250);
  ExpectNote(NoteList[2], 3, 3075, 0);
}

TEST_F(ChartReading, AnyWhiteSpaceSeparatesTokens) {
  ReadText("<startmedium> 1 100 0 ----\r\n\t2 200 50 xx <stop>", Medium);
  ASSERT_EQ(NoteList.size(), 2u);
  ExpectNote(NoteList[1], 2, 200, 50);
}

TEST_F(ChartReading, AtMost989NotesAreKept) {
  ReadText(Section("<starthard>", 1000), Hard);
  ASSERT_EQ(NoteList.size(), 989u);
  ExpectNote(NoteList[0], 0, 0, 0);
  ExpectNote(NoteList[988], 988 % 4, 9880, 0);
  ReadText(Section("<starthard>", 989), Hard);
  EXPECT_EQ(NoteList.size(), 989u);
  ReadText(Section("<starthard>", 990), Hard);
  EXPECT_EQ(NoteList.size(), 989u);
}

TEST_F(ChartReading, RecordCutShortByTheEndOfTheFileIsLost) {
  ReadText("<starteasy>\n0\n100\n0\n----\n1\n200\n0", Easy);  // no separator
  ASSERT_EQ(NoteList.size(), 1u);
  ReadText("<starteasy>\n0\n100\n0\n----\n1\n200\n0\n----", Easy);  // no line break after it
  ASSERT_EQ(NoteList.size(), 1u);
  ReadText("<starteasy>\n0\n100\n0\n----\n1\n200\n0\n----\n", Easy);  // no <stop>
  ASSERT_EQ(NoteList.size(), 2u);
  ExpectNote(NoteList[1], 1, 200, 0);
}

TEST_F(ChartReading, GluedTagOpensTheSection) {
  ReadText("<starthard>x\n1\n10\n0\n----\n<stop>\n", Hard);
  EXPECT_EQ(NoteList.size(), 1u);
  ReadText("x<starthard>\n1\n10\n0\n----\n<stop>\n", Hard);
  EXPECT_TRUE(NoteList.empty());  // the tag must begin the word
}

TEST_F(ChartReading, EarlierSectionsAreSkippedWordByWord) {
  std::string chart = Section("<startbeginner>", 3, 100) + Section("<starteasy>", 4, 200) +
                      Section("<startmedium>", 5, 300) + Section("<starthard>", 2, 5000) +
                      Section("<startchallenge>", 6, 400);
  ReadText(chart, Hard);
  ASSERT_EQ(NoteList.size(), 2u);
  ExpectNote(NoteList[0], 0, 5000, 0);
  ExpectNote(NoteList[1], 1, 5010, 0);
  ReadText(chart, Challenge);
  EXPECT_EQ(NoteList.size(), 6u);
}

TEST_F(ChartReading, OnlyTheFirstSectionOfADifficultyCounts) {
  ReadText("<starthard>\n<stop>\n" + Section("<starthard>", 3), Hard);
  EXPECT_TRUE(NoteList.empty());
}

TEST_F(ChartReading, WordWhereANumberIsDueEndsTheSection) {
  ReadText("<starteasy>\n0\n100\n0\n----\n1\nsoon\n0\n----\n2\n300\n0\n----\n<stop>\n", Easy);
  ASSERT_EQ(NoteList.size(), 1u);
  ExpectNote(NoteList[0], 0, 100, 0);
}

TEST_F(ChartReading, OddValuesAreReadAsTheyStand) {
  ReadText("<starteasy> 7 -500 -20 ---- -1 1000000000 1000000000 ---- 2147483647 -2147483648 0 -- <stop>", Easy);
  ASSERT_EQ(NoteList.size(), 3u);
  ExpectNote(NoteList[0], 7, -500, -20);
  ExpectNote(NoteList[1], -1, 1000000000, 1000000000);
  ExpectNote(NoteList[2], INT32_MAX, INT32_MIN, 0);
}

TEST_F(ChartReading, NumberBeyond32BitsIsAFailedRead) {
  ReadText("<starteasy> 0 100 0 ---- 1 2147483648 0 ---- 2 300 0 ---- <stop>", Easy);
  EXPECT_EQ(NoteList.size(), 1u);
  ReadText("<starteasy> 0 100 0 ---- 1 -2147483649 0 ---- <stop>", Easy);
  EXPECT_EQ(NoteList.size(), 1u);
  ReadText("<starteasy> 0 100 0 ---- 1 99999999999999999999999 0 ---- <stop>", Easy);
  EXPECT_EQ(NoteList.size(), 1u);
}

TEST_F(ChartReading, TokensLongerThanTheLimitAreRefused) {
  std::string tag = "<starteasy>";
  ReadText(tag + std::string(LongestChartToken - tag.size(), 'x') + " 0 1 0 ---- <stop>", Easy);
  EXPECT_EQ(NoteList.size(), 1u);
  ReadText(tag + std::string(LongestChartToken + 1 - tag.size(), 'x') + " 0 1 0 ---- <stop>", Easy);
  EXPECT_TRUE(NoteList.empty());
  ReadText(tag + " 0 1 0 " + std::string(LongestChartToken + 1, '-') + " 1 2 0 ---- <stop>", Easy);
  EXPECT_TRUE(NoteList.empty());
}

TEST_F(ChartReading, DifficultyOutsideTheFiveReadsNothing) {
  ReadText(Section("<starteasy>", 3), 7);
  EXPECT_TRUE(NoteList.empty());
  ReadText(Section("<starteasy>", 3), -1);
  EXPECT_TRUE(NoteList.empty());
}

// 100 MB of digits, as one word before the section and as one number inside it:
// refused after a hundred characters, without building a giant string.
TEST_F(ChartReading, HundredMegabytesOfDigitsEndTheReading) {
  ScratchFolder scratch;
  const std::string megabyte(1 << 20, '7');
  for (std::string head : {std::string(), Section("<starteasy>", 2).substr(0, 40)}) {
    {
      std::ofstream out("huge.tq", std::ios::binary);
      out << head;
      for (int i = 0; i < 100; ++i) out << megabyte;
      out << "\n0\n5\n0\n----\n<stop>\n";
    }
    ReadChartSection("huge.tq", Easy);
    EXPECT_EQ(NoteList.size(), head.empty() ? 0u : 2u);
  }
}

TEST_F(ChartReading, MissingFileGivesNoNotes) {
  ScratchFolder scratch;
  AddNote(1, 1);
  ReadChartSection("Music/none.mp3.tq", Easy);
  EXPECT_TRUE(NoteList.empty());
}

TEST_F(ChartReading, TokenReaderBehavesLikeFormattedInput) {
  std::istringstream in("  12abc\n-7 +8 - x");
  TokenReader reader = MakeTokenReader(in);
  int32_t n = 0;
  std::string word;
  EXPECT_TRUE(ReadNumber(reader, n));
  EXPECT_EQ(n, 12);
  EXPECT_TRUE(ReadWord(reader, word));
  EXPECT_EQ(word, "abc");
  EXPECT_TRUE(ReadNumber(reader, n));
  EXPECT_EQ(n, -7);
  EXPECT_TRUE(ReadNumber(reader, n));
  EXPECT_EQ(n, 8);
  EXPECT_FALSE(ReadNumber(reader, n));
  EXPECT_FALSE(reader.good);
  EXPECT_FALSE(ReadWord(reader, word));  // nothing more after a failure
  std::istringstream last("<stop>");
  reader = MakeTokenReader(last);
  EXPECT_TRUE(ReadWord(reader, word));  // delivered, but the end was met
  EXPECT_EQ(word, "<stop>");
  EXPECT_FALSE(reader.good);
}

struct SongStarting : testing::Test {
  void SetUp() override {
    ResetPlay();
    OpenTestScreen();
    SelectedSong = "Song.mp3";
    SelectedDifficulty = Medium;
    Screen = SongStart;
  }
  ScratchFolder scratch;
};

TEST_F(SongStarting, FillsTheListResetsThePlayStateAndGoesToPlay) {
  WriteTextFile("Music/Song.mp3.tq", Section("<starteasy>", 2) + Section("<startmedium>", 3, 700));
  AddNote(0, 1);
  AppendPopup(RatingPopup{});
  BooCount = GoodCount = PerfectCount = Combo = LongestCombo = 9;
  ColumnTimer[2] = 125;
  SongPosition = 4000;
  StartSong();
  ASSERT_EQ(NoteList.size(), 3u);
  ExpectNote(NoteList[0], 0, 700, 0);
  EXPECT_TRUE(PopupList.empty());
  for (int32_t counter : {BooCount, GoodCount, PerfectCount, Combo, LongestCombo, SongPosition, ColumnTimer[2]})
    EXPECT_EQ(counter, 0);
  EXPECT_EQ(CurrentMusic, nullptr);  // no such music file
  EXPECT_EQ(Screen, Play);
}

// Loading took 300 ms since the frame chrome last stepped GameClockMs: the
// song's zero lies that much later on the game clock.
TEST_F(SongStarting, AnchorsTheSongClockAfterTheLoading) {
  GameClockMs = 5000;
  LastTicks = SDL_GetTicks() - 300;
  StartSong();
  EXPECT_GE(PlayStart, 5300);
  EXPECT_LT(PlayStart, 5400);
  GameClockMs = PlayStart + 7;
  AdvanceSongClock();
  EXPECT_EQ(SongPosition, 7);
}

TEST_F(SongStarting, PathsOfAnyLength) {
  std::string folders;
  for (int i = 0; i < 12; ++i) folders += std::string(40, 'a' + i) + "/";
  SelectedSong = folders + "Song.mp3";
  WriteTextFile("Music/" + SelectedSong + ".tq", Section("<startmedium>", 4));
  StartSong();
  EXPECT_EQ(NoteList.size(), 4u);
}

}  // namespace
