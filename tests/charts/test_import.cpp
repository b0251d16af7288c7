#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "app/screen_state.h"
#include "charts/import.h"
#include "charts/library.h"
#include "charts/step_file.h"
#include "game/notes.h"
#include "kit/input.h"
#include "test_support.h"

namespace {

const std::string TestData = ZEDOV_SOURCE_DIR "/../shared/testdata/sm/";

struct Section {
  std::string tag;
  std::vector<Note> notes;
};

// Reads chart text as the writers lay it out: tag, entries of four tokens, "<stop>".
std::vector<Section> ParseChart(const std::string& text) {
  std::istringstream in(text);
  std::vector<Section> sections;
  std::string token, separator;
  while (in >> token) {
    if (token.starts_with("<start")) {
      sections.push_back({token, {}});
    } else if (token != "<stop>" && !sections.empty()) {
      Note note;
      note.column = std::stoi(token);
      in >> note.time >> note.hold >> separator;
      EXPECT_EQ(separator, "----");
      sections.back().notes.push_back(note);
    }
  }
  return sections;
}

std::vector<Section> Convert(const std::string& text) { return ParseChart(ConvertStepText(text)); }

// A step file with one dance-single block of the given difficulty.
std::string StepFile(const std::string& header, const std::string& difficulty,
                     const std::string& measures) {
  return header + "#NOTES:\n     dance-single:\n     :\n     " + difficulty +
         ":\n     1:\n     0.1,0.2,0.3,0.4,0.5:\n" + measures + ";\n";
}

const std::string At120 = "#OFFSET:0.000;\n#BPMS:0.000=120.000;\n";  // a beat is 500 ms

std::vector<int> Times(const Section& section) {
  std::vector<int> times;
  for (const Note& note : section.notes) times.push_back(note.time);
  return times;
}

// A measure of n rows with a left step on row k, the rest empty.
std::string MeasureWithStep(int n, int k) {
  std::string rows;
  for (int i = 0; i < n; ++i) rows += i == k ? "1000\n" : "0000\n";
  return rows;
}

TEST(StepConversion, OffsetIsFractionalSecondsBeforeBeatZero) {
  auto first = [](const std::string& offset) {
    auto sections = Convert(StepFile("#OFFSET:" + offset + ";\n#BPMS:0.000=120.000;\n", "Easy",
                                     "1000\n0000\n0000\n0000\n"));
    return sections.at(0).notes.at(0).time;
  };
  EXPECT_EQ(first("-0.060"), 60);
  EXPECT_EQ(first("0.060"), -60);
  EXPECT_EQ(first("1.500"), -1500);
  EXPECT_EQ(first("-0.0376"), 38) << "rounded, not truncated";
  EXPECT_EQ(first("-0.0374"), 37);
  EXPECT_EQ(first("nonsense"), 0);
}

TEST(StepConversion, RowsSpreadEvenlyOverFourBeatsForAnyRowCount) {
  struct Case {
    int rows, row, ms;
  };
  // Row k of n lies at 4k/n beats of 500 ms, rounded to the millisecond.
  const Case cases[] = {{4, 1, 500},     {8, 3, 750},     {12, 1, 167},   {16, 3, 375},
                        {24, 5, 417},    {32, 31, 1938},  {48, 47, 1958}, {64, 1, 31},
                        {192, 191, 1990}, {3, 2, 1333},   {1, 0, 0}};
  for (const Case& c : cases) {
    auto sections = Convert(StepFile(At120, "Medium", MeasureWithStep(c.rows, c.row) + ",\n" +
                                                          MeasureWithStep(c.rows, c.row)));
    ASSERT_EQ(sections.size(), 1u) << c.rows;
    EXPECT_EQ(Times(sections[0]), (std::vector<int>{c.ms, c.ms + 2000})) << c.rows << " rows";
  }
}

TEST(StepConversion, EmptyMeasuresBlankLinesAndCommentsKeepTheCount) {
  std::string measures =
      "0000\n0000\n0000\n0000\n,  // measure 1\n"
      ",\n"  // a measure without rows still lasts 4 beats
      "// a comment between rows\n0100\n\n0000\n   \n0010\n0000\n";
  auto sections = Convert(StepFile(At120, "Hard", measures));
  ASSERT_EQ(sections.size(), 1u);
  EXPECT_EQ(Times(sections[0]), (std::vector<int>{4000, 5000}));
  EXPECT_EQ(sections[0].notes[1].column, 2);
}

TEST(StepConversion, TempoChangesAndStops) {
  // 120 BPM for 4 beats (2000 ms), then 60 BPM: beat 6 is 2000 + 2 x 1000.
  std::string header = "#OFFSET:0;\n#BPMS:0.000=120.000\n,4.000=60.000\n;\n";
  auto sections = Convert(StepFile(header, "Easy", "1000\n0000\n0000\n0000\n,\n1000\n0000\n0100\n0000\n"));
  ASSERT_EQ(sections.size(), 1u);
  EXPECT_EQ(Times(sections[0]), (std::vector<int>{0, 2000, 4000}));

  // A half-second stop at beat 4: a note on beat 4 comes as the stop begins,
  // one on beat 5 after it.
  header = At120 + "#STOPS:4.000=0.500;\n";
  sections = Convert(StepFile(header, "Easy", "0000\n,\n1000\n0100\n0000\n0000\n"));
  ASSERT_EQ(sections.size(), 1u);
  EXPECT_EQ(Times(sections[0]), (std::vector<int>{2000, 3000}));

  // Entries that are no number pair, or with no positive tempo, are skipped.
  header = "#BPMS:0=abc,0=0,1=-60,junk,2=3=4,0.000=240.000;\n";
  sections = Convert(StepFile(header, "Easy", "0000\n0000\n1000\n0000\n"));
  ASSERT_EQ(sections.size(), 1u);
  EXPECT_EQ(Times(sections[0]), (std::vector<int>{500}));
}

TEST(StepConversion, NoUsableTempoImportsNoNotes) {
  EXPECT_EQ(ConvertStepText(StepFile("", "Easy", "1000\n")), "");
  EXPECT_EQ(ConvertStepText(StepFile("#BPMS:0.000=0.000;\n", "Easy", "1000\n")), "");
  EXPECT_EQ(ConvertStepText(StepFile("#BPMS:;\n", "Easy", "1000\n")), "");
}

TEST(StepConversion, ATempoListWithoutSemicolonEndsAtTheNextTag) {
  std::string header = "#BPMS:0.000=120.000\n,4.000=60.000\n#STOPS:;\n";
  auto sections = Convert(StepFile(header, "Easy", "0000\n,\n0000\n0000\n1000\n0000\n"));
  ASSERT_EQ(sections.size(), 1u);
  EXPECT_EQ(Times(sections[0]), (std::vector<int>{4000}));
}

TEST(StepConversion, HoldsRollsAndMines) {
  // The Part's own example, timed as StepMania plays it.
  auto sections = Convert(StepFile(At120, "Easy", "2000\n0000\n3100\n0000\n"));
  ASSERT_EQ(sections.size(), 1u);
  EXPECT_EQ(ConvertStepText(StepFile(At120, "Easy", "2000\n0000\n3100\n0000\n")),
            "<starteasy>\n0\n0\n1000\n----\n1\n1000\n0\n----\n<stop>\n");

  // A roll plays as a hold; mines and letters make nothing; a hold end with
  // no note of its column does nothing; steps come before hold starts.
  sections = Convert(StepFile(At120, "Hard", "03M4\nMLFK\n2120\n0003\n,\n3300\n"));
  ASSERT_EQ(sections.size(), 1u);
  const std::vector<Note>& notes = sections[0].notes;
  ASSERT_EQ(notes.size(), 4u);
  EXPECT_EQ(notes[0].column, 3);  // the roll at 0, held to 1500
  EXPECT_EQ(notes[0].time, 0);
  EXPECT_EQ(notes[0].hold, 1500);
  EXPECT_EQ(notes[1].column, 1);  // the step of the row at 1000 first ...
  EXPECT_EQ(notes[2].column, 0);  // ... then its hold starts
  EXPECT_EQ(notes[3].column, 2);
  EXPECT_EQ(notes[1].time, 1000);
  EXPECT_EQ(notes[2].hold, 1000);  // ended at 2000 by the next measure's first row
  EXPECT_EQ(notes[1].hold, 1000);  // a hold end also lengthens a plain step of its column
  EXPECT_EQ(notes[3].hold, 0);     // a hold never ended stays a tap
}

TEST(StepConversion, OnlyFourPanelBlocksOfKnownDifficulties) {
  std::string text = At120 +
                     "#NOTES:\n dance-double:\n :\n Beginner:\n 1:\n 0:\n10000000\n00000001\n;\n"
                     "#NOTES:\n dance-single:\n :\n Edit:\n 1:\n 0:\n1000\n;\n"
                     "#NOTES:\n dance-single:\n :\n Beginner:\n 1:\n 0:\n0100\n;\n"
                     "#NOTES:\n dance-single:\n :\n Medium:\n 1:\n 0:\n0010\n;\n"
                     "#NOTES:\n dance-single:\n :\n Medium:\n 1:\n 0:\n0001\n;\n";
  auto sections = Convert(text);
  ASSERT_EQ(sections.size(), 3u);
  EXPECT_EQ(sections[0].tag, "<startbeginner>");
  EXPECT_EQ(sections[0].notes[0].column, 1);
  EXPECT_EQ(sections[1].tag, "<startmedium>");
  EXPECT_EQ(sections[2].tag, "<startmedium>");
  EXPECT_EQ(sections[2].notes[0].column, 3);
  EXPECT_EQ(SelectedDifficulty, Medium);
  EXPECT_TRUE(NoteList.empty());
}

TEST(StepConversion, OpenBlocksRunOnAndAreWrittenAtTheEnd) {
  // The first block lacks its semicolon: the Hard header is not looked at and
  // its rows join the open Easy block, its measures counted on.
  std::string text = At120 +
                     "#NOTES:\n dance-single:\n :\n Easy:\n 1:\n 0:\n1000\n,\n0100\n"
                     "#NOTES:\n dance-single:\n :\n Hard:\n 1:\n 0:\n0000\n,\n0010\n";
  auto sections = Convert(text);
  ASSERT_EQ(sections.size(), 1u);
  EXPECT_EQ(sections[0].tag, "<starteasy>");
  EXPECT_EQ(Times(sections[0]), (std::vector<int>{0, 2000, 4000}));
  EXPECT_EQ(SelectedDifficulty, Easy);

  // A description line ending with a difficulty name starts the block.
  sections = Convert(At120 + "#NOTES:\n dance-single:\n MrEasy:\n Hard:\n 1:\n 0:\n1000\n;\n");
  ASSERT_EQ(sections.size(), 1u);
  EXPECT_EQ(sections[0].tag, "<starteasy>");
}

TEST(StepConversion, StaleNotesAreNotWritten) {
  AppendNote({2, 12345, 0});
  auto sections = Convert(StepFile(At120, "Easy", "1000\n"));
  ASSERT_EQ(sections.size(), 1u);
  ASSERT_EQ(sections[0].notes.size(), 1u);
  EXPECT_EQ(sections[0].notes[0].time, 0);
  AppendNote({2, 12345, 0});
  EXPECT_EQ(ConvertStepText(""), "");
  EXPECT_TRUE(NoteList.empty());
}

TEST(StepConversion, AThousandNotesPerBlock) {
  std::string rows;
  for (int i = 0; i < 600; ++i) rows += "1100\n,\n";
  rows += "3000\n";  // a hold end after the cap is dropped too
  auto sections = Convert(StepFile(At120, "Challenge", rows) + StepFile("", "Easy", "0001\n"));
  ASSERT_EQ(sections.size(), 2u);
  ASSERT_EQ(sections[0].notes.size(), 1000u);
  EXPECT_EQ(sections[0].notes.back().time, 499 * 2000);
  EXPECT_EQ(sections[0].notes[998].hold, 0);
  EXPECT_EQ(sections[1].notes.size(), 1u);
}

TEST(StepConversion, LineEndingsMarksAndOddLines) {
  std::string lf = StepFile("#OFFSET:-0.1;\n#BPMS:0=120;\n", "Easy", "1000\n0100\n2000\n3000\n");
  std::string expected = ConvertStepText(lf);
  ASSERT_FALSE(expected.empty());
  std::string crlf;
  for (char c : lf) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
  EXPECT_EQ(ConvertStepText(crlf), expected);
  EXPECT_EQ(ConvertStepText("\xEF\xBB\xBF" + lf), expected) << "byte order mark";
  std::string unfinished = lf.substr(0, lf.size() - 3);  // no ";" and no final line break
  EXPECT_EQ(ConvertStepText(unfinished), expected);

  std::string longLine = "#TITLE:" + std::string(2000, 'a') + ";\n";
  EXPECT_EQ(ConvertStepText(longLine + lf), expected);
  // A piece of an overlong line is a line of its own.
  std::string open = lf.substr(0, lf.size() - 2);
  EXPECT_EQ(ConvertStepText(open + std::string(999, ' ') + "0100\n"), ConvertStepText(open + "0100\n"));
  EXPECT_NE(ConvertStepText(open + "0100\n"), expected);

  EXPECT_EQ(ConvertStepText(""), "");
  EXPECT_EQ(ConvertStepText("#OFFSET:0;#BPMS:0=120;#NOTES:dance-single::Easy:1:0:1000,0100;"), "");
}

TEST(StepConversion, FeedingInPiecesGivesTheSameChart) {
  std::string text = ReadTextFile(TestData + "ants.sm");
  ASSERT_FALSE(text.empty());
  std::string whole = ConvertStepText(text);
  StartStepConversion();
  for (size_t i = 0; i < text.size(); i += 7) FeedStepText(std::string_view(text).substr(i, 7));
  EXPECT_EQ(FinishStepConversion(), whole);
}

TEST(StepConversion, GarbageNeverCrashes) {
  unsigned seed = 12345;
  auto next = [&seed] { return seed = seed * 1103515245u + 12345u; };
  const char* pieces[] = {"#BPMS:", "#STOPS:", "#OFFSET:", "Easy:", "Hard:", ",", ";", "\n",
                          "\r\n",   "1000",    "2",        "3",     "=",     "0.5", "//", "\xEF"};
  for (int round = 0; round < 200; ++round) {
    std::string text;
    for (int i = 0; i < 300; ++i) {
      text += (next() >> 16) % 3 == 0 ? std::string(1, static_cast<char>(next() >> 16))
                                      : pieces[(next() >> 16) % 16];
    }
    std::vector<Section> sections = Convert(text);
    for (const Section& section : sections) EXPECT_LE(section.notes.size(), 1000u);
  }
  EXPECT_TRUE(NoteList.empty());
}

TEST(StepConversion, HugeFileStaysBounded) {
  // Twenty thousand blocks of 1000 notes would be a huge chart; past a cap
  // further blocks are dropped. The long tempo list is capped too.
  std::string tempi = "#BPMS:0=120";
  for (int i = 1; i < 30000; ++i) tempi += "," + std::to_string(i) + "=120";
  std::string block = "#NOTES:\n Easy:\n" + std::string("1111\n") + ";\n";
  std::string text = tempi + ";\n";
  for (int i = 0; i < 3000; ++i) text += block;
  std::string chart = ConvertStepText(text);
  EXPECT_EQ(ParseChart(chart).size(), 1000u);
}

// Real files written by others: every one imports.
TEST(StepConversion, RealFilesImport) {
  for (const char* name : {"adrenaline.sm", "ants.sm", "blank.sm", "nekonabe.sm", "sdf-test.sm"}) {
    std::string text = ReadTextFile(TestData + name);
    for (const Section& section : Convert(text)) {
      EXPECT_FALSE(section.notes.empty()) << name;
      EXPECT_LE(section.notes.size(), 1000u) << name;
    }
  }
  EXPECT_TRUE(Convert(ReadTextFile(TestData + "blank.sm")).empty());
}

TEST(StepConversion, RealFileSdfTestTimes) {
  auto sections = Convert(ReadTextFile(TestData + "sdf-test.sm"));
  // Beginner, Easy, Medium, Hard, Challenge; the Edit block gives nothing.
  ASSERT_EQ(sections.size(), 5u);
  EXPECT_EQ(sections[4].tag, "<startchallenge>");
  // Beginner: "1000" opens measures 0, 4 and 7, "0001" measures 2 and 6.
  // #OFFSET:-0.060 puts beat 0 at 60 ms. #BPMS:0.000=93.810,5.000=187.62:
  // beats 0-5 take 5 x 60 / 93.81 = 3.197953 s, each later beat 60 / 187.62 = 0.319795 s.
  //   beat 8:  3.197953 + 3 x 0.319795 + 0.060 = 4.217339 s -> 4217
  //   beat 16: 3.197953 + 11 x 0.319795 + 0.060 = 6.775702 s -> 6776
  //   beat 24: 3.197953 + 19 x 0.319795 + 0.060 = 9.334065 s -> 9334
  //   beat 28: 3.197953 + 23 x 0.319795 + 0.060 = 10.613246 s -> 10613
  EXPECT_EQ(Times(sections[0]), (std::vector<int>{60, 4217, 6776, 9334, 10613}));
  EXPECT_EQ(sections[0].notes[1].column, 3);
}

TEST(StepConversion, RealFileAntsTimesThroughTempoChangesAndStops) {
  auto sections = Convert(ReadTextFile(TestData + "ants.sm"));
  ASSERT_GE(sections.size(), 1u);
  ASSERT_EQ(sections[0].tag, "<startchallenge>");
  // #OFFSET:0.012 puts beat 0 at -12 ms. The tempo is 140 up to beat 34.75;
  // 34.75-35.125 at 105 and 35.125-35.5 at 210 take as long as 0.75 beat at 140,
  // so beat 40 lies at 40 x 60 / 140 = 17.142857 s. Then 40-41 at 280 BPM,
  // 41-41.5 at 560, 41.5-42 at 280. Stops: 40, 40.25, 40.5, 40.75 (0.053,
  // 0.054, 0.054, 0.053 s), 41 (0.161), 41.5 (0.107).
  // Measure 10 (beats 40-44, 16 rows of a quarter beat):
  //   row 0 "1000", beat 40 (its stop not yet): 17.142857 - 0.012 = 17.130857 s -> 17131
  //   row 1 "0010", beat 40.25: + 0.25 x 60/280 = 17.196429, + stop 0.053, - 0.012 -> 17237
  //   row 4 "020M", beat 41: 17.357143 + 0.214 - 0.012 = 17.559143 -> 17559, a hold in column 1
  //   row 8 "0301", beat 42: 17.357143 + 0.053571 + 0.107143 = 17.517857,
  //     + 0.482 - 0.012 = 17.987857 -> 17988; it ends the hold: 17988 - 17559 = 429
  // Measure 8 (beat 32) row 0 "1001": 32 x 60 / 140 - 0.012 = 13.702286 s -> 13702 twice.
  auto find = [&](int column, int time) {
    for (const Note& note : sections[0].notes)
      if (note.column == column && note.time == time) return note.hold;
    return -1;
  };
  EXPECT_EQ(find(0, 13702), 0);
  EXPECT_EQ(find(3, 13702), 0);
  EXPECT_EQ(find(0, 17131), 0);
  EXPECT_EQ(find(2, 17237), 0);
  EXPECT_EQ(find(1, 17559), 429);
  EXPECT_EQ(find(3, 17988), 0);
}

TEST(StepConversion, RealFilesAdrenalineAndNekonabe) {
  // adrenaline: #OFFSET:1.034, 134 BPM. Easy measure 0 has 32 rows of 1/8 beat;
  // row 26 "0020" at beat 3.25: 3.25 x 60/134 - 1.034 = 0.421224 s -> 421,
  // ended by row 27 "0030" at beat 3.375: 0.477194 s -> 477, hold 56.
  // Measure 1 (beat 4, 8 rows) "1100": 4 x 60/134 - 1.034 = 0.757045 -> 757 twice.
  auto sections = Convert(ReadTextFile(TestData + "adrenaline.sm"));
  ASSERT_GE(sections.size(), 1u);
  EXPECT_EQ(sections[0].tag, "<starteasy>");
  const auto& easy = sections[0].notes;
  ASSERT_GE(easy.size(), 4u);
  EXPECT_EQ(easy[0].time, 421);
  EXPECT_EQ(easy[0].hold, 56);
  EXPECT_EQ(easy[0].column, 2);
  EXPECT_EQ(easy[1].time, 533);
  EXPECT_EQ(easy[1].hold, 56);
  EXPECT_EQ(easy[2].time, 757);
  EXPECT_EQ(easy[3].time, 757);

  // nekonabe: a byte order mark, Japanese text, dance-double blocks (no section).
  // Hard, #OFFSET:-0.060, 140 BPM: measure 4 (beat 16, 8 rows) "1000", "0001":
  // 16 x 60/140 + 0.060 = 6.917143 s -> 6917; beat 16.5: 7.131429 s -> 7131.
  sections = Convert(ReadTextFile(TestData + "nekonabe.sm"));
  ASSERT_EQ(sections.size(), 4u);
  EXPECT_EQ(sections[0].tag, "<starthard>");
  EXPECT_EQ(sections[3].tag, "<startbeginner>");
  EXPECT_EQ(sections[0].notes[0].time, 6917);
  EXPECT_EQ(sections[0].notes[1].time, 7131);
  EXPECT_EQ(sections[0].notes[1].column, 3);
}

struct ImportScreenTest : ::testing::Test {
  ScratchFolder folder;
  void SetUp() override {
    OpenTestScreen();
    ResetInput();
    SelectedSong = "Track.mp3";
    ImportListScroll = 0;
    Screen = ChartImport;
  }
  void TearDown() override { ResetInput(); }
  void Frame(bool entering = false, int x = 0, int y = 0, bool click = false) {
    ResetInput(x, y);
    if (click) MouseButtons[1] = Pressed;
    ScreenChanged = entering;
    RunChartImport();
    ScreenChanged = false;
    ResetInput();
  }
};

TEST_F(ImportScreenTest, ImportReplacesTheChartAtomically) {
  WriteTextFile("Music/Track.mp3.tq", "<starthard>\n0\n1\n0\n----\n<stop>\n");
  WriteTextFile("Music/steps.sm", StepFile(At120, "Medium", "0100\n"));
  ImportStepFile("steps.sm");
  EXPECT_EQ(ReadTextFile("Music/Track.mp3.tq"), "<startmedium>\n1\n0\n0\n----\n<stop>\n");
  int files = 0;  // no temporary file is left beside the chart
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("Music")) ++files;
  EXPECT_EQ(files, 2);
  EXPECT_TRUE(NoteList.empty());

  WriteTextFile("Music/none.sm", "#TITLE:x;\n");  // readable but without notes: an empty chart
  ImportStepFile("none.sm");
  EXPECT_TRUE(std::filesystem::exists("Music/Track.mp3.tq"));
  EXPECT_EQ(ReadTextFile("Music/Track.mp3.tq"), "");
}

TEST_F(ImportScreenTest, UnreadableStepFileKeepsTheOldChart) {
  const std::string old = "<starthard>\n0\n1\n0\n----\n<stop>\n";
  WriteTextFile("Music/Track.mp3.tq", old);
  ImportStepFile("missing.sm");
  EXPECT_EQ(ReadTextFile("Music/Track.mp3.tq"), old);
  std::filesystem::create_directories("Music/folder.sm");  // opens, but cannot be read
  ImportStepFile("folder.sm");
  EXPECT_EQ(ReadTextFile("Music/Track.mp3.tq"), old);
}

TEST_F(ImportScreenTest, ListsStepFilesSevenAtATimeAndImportsOnClick) {
  WriteTextFile("Music/Track.mp3", "");
  for (char c = 'a'; c <= 'h'; ++c)
    WriteTextFile(std::string("Music/") + c + (c == 'b' ? ".SM" : ".sm"),
                  StepFile(At120, c == 'h' ? "Challenge" : "Easy", "1000\n"));
  Frame(true);
  // Rows at y 95 + 40 r: the sorted files a..g; h needs a scroll.
  Frame(false, 320, 375, true);  // the down control
  EXPECT_EQ(ImportListScroll, 1);
  Frame(false, 320, 335, true);  // row 6 now holds h.sm
  EXPECT_EQ(Screen, DifficultySelect);
  auto sections = ParseChart(ReadTextFile("Music/Track.mp3.tq"));
  ASSERT_EQ(sections.size(), 1u);
  EXPECT_EQ(sections[0].tag, "<startchallenge>");

  Screen = ChartImport;
  Frame(true, 320, 375, true);  // no down control once the last file shows
  EXPECT_EQ(ImportListScroll, 1);
  Frame(false, 320, 55, true);  // the up control
  EXPECT_EQ(ImportListScroll, 0);
  Frame(false, 320, 55, true);  // none at the top
  EXPECT_EQ(ImportListScroll, 0);
  Frame(false, 550, 435, true);
  EXPECT_EQ(Screen, DifficultySelect);
}

TEST_F(ImportScreenTest, ScrolledPastTheEndShowsOnlyTheUpControl) {
  WriteTextFile("Music/only.sm", StepFile(At120, "Easy", "1000\n"));
  ImportListScroll = 5;
  Frame(true, 320, 95, true);  // no row to click
  EXPECT_EQ(Screen, ChartImport);
  EXPECT_FALSE(std::filesystem::exists("Music/Track.mp3.tq"));
  Frame(false, 320, 55, true);
  EXPECT_EQ(ImportListScroll, 4);
}

}  // namespace
