// The step-file converter: timing, notes, holds and blocks, real and crafted files.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>

#include "charts/library.h"
#include "charts/step_file.h"
#include "charts/step_import.h"
#include "charts/step_text.h"
#include "test_files.h"

namespace {

// Real step files written by others, kept beside the repository (not in it).
const std::string SharedData = ZEDOV_SOURCE_DIR "/../shared/testdata/sm/";
const std::string SharedSsc = ZEDOV_SOURCE_DIR "/../shared/testdata/ssc/";
// Our own small .ssc files, with the quirks of real packs.
const std::string OwnSsc = ZEDOV_SOURCE_DIR "/tests/data/ssc/";

#define SKIP_WITHOUT_SHARED_FILES()                                                          \
  if (!std::filesystem::is_directory(SharedData))                                           \
  GTEST_SKIP() << "the real step files of ../shared/testdata/sm/ are not beside this clone"
#define SKIP_WITHOUT_SHARED_SSC_FILES()                                                      \
  if (!std::filesystem::is_directory(SharedSsc))                                            \
  GTEST_SKIP() << "the real step files of ../shared/testdata/ssc/ are not beside this clone"

// A measure of n rows with a left step on row k.
std::string Measure(int n, int k) {
  std::string rows;
  for (int i = 0; i < n; ++i) rows += i == k ? "1000\n" : "0000\n";
  return rows;
}

// A measure of n rows with the given row as row k.
std::string Rows(int n, int k, const std::string& row) {
  std::string rows;
  for (int i = 0; i < n; ++i) rows += i == k ? row + "\n" : "0000\n";
  return rows;
}

struct Case {
  const char* what;
  std::string text;
  const char* chart;
};

TEST(StepConversion, TimingOfRows) {
  const Case cases[] = {
      {"offset is seconds before beat 0", "#OFFSET:-0.060;\n#BPMS:0=120;\n" + Block("Easy", "1000\n"),
       "easy: 0@60"},
      {"positive offset", "#OFFSET:1.5;\n#BPMS:0=120;\n" + Block("Easy", "0000\n1000\n"), "easy: 0@-500"},
      {"rounded, not truncated", "#OFFSET:-0.0376;\n#BPMS:0=120;\n" + Block("Easy", "1000\n"), "easy: 0@38"},
      {"4 rows", At120 + Block("Easy", Measure(4, 1) + ",\n" + Measure(4, 3)), "easy: 0@500 0@3500"},
      {"12 rows", At120 + Block("Easy", Measure(12, 1) + ",\n" + Measure(12, 11)), "easy: 0@167 0@3833"},
      {"16 rows", At120 + Block("Easy", Measure(16, 3)), "easy: 0@375"},
      {"24 rows", At120 + Block("Easy", Measure(24, 5) + ",\n" + Measure(24, 23)), "easy: 0@417 0@3917"},
      {"48 rows", At120 + Block("Easy", Measure(48, 47)), "easy: 0@1958"},
      {"192 rows", At120 + Block("Easy", Measure(192, 191) + ",\n" + Measure(192, 1)), "easy: 0@1990 0@2010"},
      {"3 rows", At120 + Block("Easy", Measure(3, 2)), "easy: 0@1333"},
      {"empty measures, blank lines and comments",
       At120 + Block("Hard", "0000\n,  // one\n,\n// a comment\n0100\n\n0000\n   \n0010\n0000\n"),
       "hard: 1@4000 2@5000"},
      {"tempo change over several lines",
       "#BPMS:0.000=120.000\n,4.000=60.000\n;\n" + Block("Easy", "1000\n,\n1000\n0000\n0100\n0000\n"),
       "easy: 0@0 0@2000 1@4000"},
      {"a list without its semicolon ends at the next tag",
       "#BPMS:0=120\n,4=60\n#STOPS:;\n" + Block("Easy", "0000\n,\n0000\n0000\n1000\n0000\n"), "easy: 0@4000"},
      {"a stop: notes on its beat come as it begins", At120 + "#STOPS:4.000=0.500;\n" +
       Block("Easy", "0000\n,\n1000\n0100\n0000\n0000\n"), "easy: 0@2000 1@3000"},
      {"bad entries are skipped", "#BPMS:0=abc,0=0,junk,2=3=4,0.000=240.000;\n" +
       Block("Easy", "0000\n0000\n1000\n0000\n"), "easy: 0@500"},
      {"no usable tempo, no notes", "#BPMS:0=0;\n" + Block("Easy", "1000\n"), ""},
      {"no tempo at all", Block("Easy", "1000\n"), ""},
  };
  for (const Case& c : cases) EXPECT_EQ(Import(c.text), c.chart) << c.what;
}

TEST(StepConversion, NotesHoldsAndBlocks) {
  const Case cases[] = {
      // A hold from its start row to its end row, timed as StepMania plays it.
      {"hold ended by a later row", At120 + Block("Easy", "2000\n0000\n3100\n0000\n"), "easy: 0@0+1000 1@1000"},
      {"a hold end takes the newest note of its column", At120 + Block("Easy", "2000\n1000\n3000\n0000\n"),
       "easy: 0@0 0@500+500"},
      {"rolls hold; mines, letters and lone ends make nothing; steps before hold starts",
       At120 + Block("Hard", "03M4\nMLFK\n2120\n0003\n,\n3300\n"), "hard: 3@0+1500 1@1000 0@1000+1000 2@1000"},
      {"dance-double and Edit give no section",
       At120 + "#NOTES:\n dance-double:\n :\n Beginner:\n 1:\n 0:\n10000000\n;\n" + Block("Edit", "1000\n") +
           Block("Beginner", "0100\n"),
       "beginner: 1@0"},
      {"two Medium blocks", At120 + Block("Medium", "0010\n") + Block("Medium", "0001\n"),
       "medium: 2@0 / medium: 3@0"},
      {"a block without its semicolon ends at the next header",
       At120 + "#NOTES:\n dance-single:\n :\n Easy:\n 1:\n 0:\n1000\n,\n0100\n" +
           "#NOTES:\n dance-single:\n :\n Hard:\n 1:\n 0:\n0000\n,\n0010\n",
       "easy: 0@0 1@2000 / hard: 2@2000"},
      {"a hold ending where a negative tempo jumps back ends at the jump",
       "#OFFSET:0;\n#BPMS:0=120,4=-120,5=120;\n" + Block("Easy", Rows(16, 15, "2000") + ",\n" + Rows(16, 3, "3000")),
       "easy: 0@1875+125"},
      {"the difficulty is the header's third field, whatever the description says",
       At120 + "#NOTES:\n dance-single:\n MrEasy:\n Hard:\n 1:\n 0:\n1000\n;\n" +
           "#NOTES:\n dance-single:\n Hard:\n Edit:\n 1:\n 0:\n0100\n;\n",
       "hard: 0@0"},
  };
  for (const Case& c : cases) EXPECT_EQ(Import(c.text), c.chart) << c.what;
}

// How real packs end blocks and write headers; two blocks never merge.
TEST(StepConversion, BlockEndsAndHeadersOfRealPacks) {
  const std::string easyHeader = "#NOTES:\n dance-single:\n :\n Easy:\n 1:\n 0:\n";
  const Case cases[] = {
      {"\",;\" ends the measure and then the block", At120 + easyHeader + "1000\n,\n0100\n,;\n" +
       Block("Hard", "0010\n"), "easy: 0@0 1@2000 / hard: 2@0"},
      {"\"0001;\" is a row and then the end", At120 + easyHeader + "1000\n0001;\n" + Block("Medium", "0100\n"),
       "easy: 0@0 3@1000 / medium: 1@0"},
      {"a header on one line", At120 + "#NOTES:dance-single::Medium:1:0:\n0100\n0010\n;\n", "medium: 1@0 2@1000"},
      {"a header on one line with its rows", At120 + "#NOTES:dance-single:x:Hard:9:0,0,0,0,0:1000,0100;\n",
       "hard: 0@0 1@2000"},
      {"rows and separators on one line", At120 + Block("Easy", "1000 , 0100 ,\n0010\n0001  \n"),
       "easy: 0@0 1@2000 2@4000 3@5000"},
      {"a line beginning with # ends the block", At120 + easyHeader + "1000\n#STOPS:;\n0100\n", "easy: 0@0"},
      {"doubles between singles give nothing", At120 + Block("Easy", "1000\n") +
       "#NOTES:\n dance-double:\n :\n Easy:\n 1:\n 0:\n10000001\n0000\n" + Block("Hard", "0001\n"),
       "easy: 0@0 / hard: 3@0"},
      {"another step type with four-character rows", At120 + "#NOTES:techno-single4::Hard:1:0:\n1000\n;\n" +
       "#NOTES:pump-single::Easy:1:0:\n0100\n;\n" + Block("Easy", "0010\n"), "easy: 2@0"},
      {"old difficulty names and any letter case", At120 + "#NOTES:dance-single::Basic:1:0:\n1000\n;\n" +
       "#NOTES:dance-single::MANIAC:1:0:\n0100\n;\n#NOTES:dance-single::challenge:1:0:\n0010\n;\n",
       "easy: 0@0 / hard: 1@0 / challenge: 2@0"},
      {"a tag ended by ; before its header is whole", At120 + "#NOTES:dance-single:Easy:;\n1000\n;\n", ""},
      {"a hand-made block without any header", At120 + "Easy:\n1000\n;\n Hard:\n0100\n;\n",
       "easy: 0@0 / hard: 1@0"},
  };
  for (const Case& c : cases) EXPECT_EQ(Import(c.text), c.chart) << c.what;
}

// Warps, delays, stops and fakes at 120 BPM (a beat is 500 ms), one row a
// beat: rows at beats 0, 1, 2 and 3, columns 0 to 3 in turn.
TEST(StepConversion, WarpsDelaysStopsAndFakes) {
  const std::string rows = "#NOTES:dance-single::Hard:1:0:\n1000\n0100\n0010\n0001\n;\n";
  const Case cases[] = {
      {"a delay pauses before its row's notes, a stop after them", "#BPMS:0=120;#DELAYS:1=0.25;#STOPS:2=0.25;" + rows,
       "hard: 0@0 1@750 2@1250 3@2000"},
      {"a warp's first row is inside, its last outside", "#BPMS:0=120;#WARPS:1=2;" + rows, "hard: 0@0 3@500"},
      // Beat 2 carries a stop: still played, at 1000 - 500 warped; beat 3 after the stop.
      {"a stop inside a warp keeps its row", "#BPMS:0=120;#WARPS:1=2;#STOPS:2=0.5;" + rows,
       "hard: 0@0 2@500 3@1000"},
      {"fakes give no note", "#BPMS:0=120;#FAKES:1=1;" + rows, "hard: 0@0 2@1000 3@1500"},
      {"warps without any tempo", "#WARPS:1=1;" + rows, ""},
      {"a negative tempo that never comes back", "#BPMS:0=120,1=-60;" + rows, "hard: 0@0"},
      // -0.25 s at beat 1 is half a beat at 120: the warp holds beat 1 only.
      {"a negative stop", "#BPMS:0=120;#STOPS:1=-0.25;" + rows, "hard: 0@0 2@750 3@1250"},
      {"F and every letter give nothing", "#BPMS:0=120;#NOTES:dance-single::Hard:1:0:\nF000\n0ML0\nK002\n;",
       "hard: 3@1333"},
      {"keysounds and attributes after a cell", "#BPMS:0=120;#NOTES:dance-single::Hard:1:0:\n1[2]K[3]0{a}0\n;",
       "hard: 0@0"},
  };
  for (const Case& c : cases) EXPECT_EQ(Import(c.text), c.chart) << c.what;
}

// Which timing an .ssc chart plays by. The song: 120 BPM, a stop of 1 s at beat 1.
TEST(StepConversion, SscChartsTakeTheirOwnTimingOrTheSongs) {
  const std::string song = "#OFFSET:0;#BPMS:0=120;#STOPS:1=1;\n#NOTEDATA:;#STEPSTYPE:dance-single;#DIFFICULTY:Easy;";
  const std::string notes = "#NOTES:1000\n0000\n0100\n0000;";  // beats 0 and 2
  const Case cases[] = {
      {"none of its own", song + notes, "easy: 0@0 1@2000"},
      {"scrolls, speeds, labels and signatures are not timing",
       song + "#SCROLLS:0=2;#SPEEDS:0=2=0=0;#LABELS:0=x;#TIMESIGNATURES:0=3=4;#TICKCOUNTS:0=2;" + notes,
       "easy: 0@0 1@2000"},
      {"its own stops: the song's are gone", song + "#STOPS:2=0.5;" + notes, "easy: 0@0 1@1000"},
      {"its own tempo, the song's offset", song + "#BPMS:0=60;" + notes, "easy: 0@0 1@2000"},
      {"an empty tempo list takes the song's", song + "#BPMS:;#DELAYS:2=0.25;" + notes, "easy: 0@0 1@1250"},
      {"its own offset", song + "#OFFSET:-0.5;" + notes, "easy: 0@500 1@1500"},
  };
  for (const Case& c : cases) EXPECT_EQ(Import(c.text), c.chart) << c.what;
}

// Header text is never read as measures: a broken header gives no chart.
TEST(StepConversion, HeadersAreNeverReadAsMeasures) {
  const std::string radar = "0.000,0.000,0.000,0.000,0.000:\n";
  const Case cases[] = {
      {"a header field short", At120 + "#NOTES:\n dance-single:\n Hard:\n 1:\n" + radar + "1000\n;\n", ""},
      {"no #NOTES", At120 + " dance-single:\n :\n Easy:\n 1:\n" + radar + "1000\n;\n", ""},
      {"a ; in the description", At120 + "#NOTES:\n dance-single:\n a;b:\n Easy:\n 1:\n" + radar + "1000\n;\n", ""},
      {"an .ssc chart without #NOTEDATA", At120 + "#STEPSTYPE:dance-single;#DIFFICULTY:Easy;#NOTES:\n1000\n;\n", ""},
      {"lower-case tags", "#offset:0;#bpms:0=120;\n#notes:\n dance-single:\n :\n Easy:\n 1:\n" + radar +
       "0000\n1000\n;\n", "easy: 0@1000"},
  };
  for (const Case& c : cases) EXPECT_EQ(Import(c.text), c.chart) << c.what;
}

TEST(StepConversion, AThousandNotesPerBlock) {
  std::string rows;
  for (int i = 0; i < 600; ++i) rows += "1100\n,\n";
  rows += "3000\n";  // a hold end after the cap is dropped too
  std::string chart = Import(At120 + Block("Challenge", rows) + Block("Easy", "0001\n"));
  EXPECT_EQ(std::count(chart.begin(), chart.end(), '@'), 1001);
  EXPECT_TRUE(chart.ends_with(" 0@998000 1@998000 / easy: 3@0")) << chart.substr(chart.size() - 60);
}

TEST(StepConversion, LineEndingsMarksAndOddFiles) {
  std::string lf = "#OFFSET:-0.1;\n#BPMS:0=120;\n" + Block("Easy", "1000\n0100\n2000\n3000\n");
  std::string expected = ConvertStepText(lf);
  ASSERT_EQ(Brief(expected), "easy: 0@100 1@600 0@1100+500");
  std::string crlf;
  for (char c : lf) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
  EXPECT_EQ(ConvertStepText(crlf), expected);
  EXPECT_EQ(ConvertStepText("\xEF\xBB\xBF" + lf), expected) << "byte order mark";
  EXPECT_EQ(ConvertStepText(lf.substr(0, lf.size() - 3)), expected) << "open block, no final break";
  EXPECT_EQ(ConvertStepText("#TITLE:" + std::string(2000, 'a') + ";\n" + lf), expected);
  // A long line is one line; a measure of five rows lies on the grid of 48 rows a beat.
  std::string open = lf.substr(0, lf.size() - 2);
  EXPECT_EQ(Import(open + std::string(999, ' ') + "0100\n"), "easy: 0@100 1@496 0@902+396 1@1704");
  EXPECT_EQ(ConvertStepText(""), "");

  // A file read from disk in two pieces, its notes across their seam, reads as its text.
  ScratchFolder scratch;
  const std::string pack = ReadTextFile(OwnData + "pack-quirks.sm");
  WriteTextFile("long.sm", std::string(65530, '\n') + pack);
  std::vector<ChartSection> sections;
  ASSERT_TRUE(ReadStepFile("long.sm", sections));
  ASSERT_FALSE(sections.empty());
  EXPECT_EQ(ChartText(sections), ConvertStepText(pack));
}

TEST(StepConversion, GarbageAndHugeFiles) {
  unsigned seed = 12345;
  auto next = [&seed] { return (seed = seed * 1103515245u + 12345u) >> 16; };
  const char* pieces[] = {"#BPMS:", "#STOPS:", "#OFFSET:", "Easy:", "Hard:", ",", ";", "\n",
                          "\r\n",   "1000",    "2",        "3",     "=",     "0.5", "//", "\xEF"};
  for (int round = 0; round < 200; ++round) {
    std::string text;
    for (int i = 0; i < 300; ++i)
      text += next() % 3 == 0 ? std::string(1, static_cast<char>(next())) : pieces[next() % 16];
    std::string chart = ConvertStepText(text);
    EXPECT_EQ(chart.empty(), chart.find("<start") == std::string::npos);
  }
  // Past a thousand sections further blocks are dropped, and long lists are capped.
  std::string text = "#BPMS:0=120";
  for (int i = 1; i < 30000; ++i) text += "," + std::to_string(i) + "=120";
  text += ";\n";
  for (int i = 0; i < 3000; ++i) text += "#NOTES:dance-single::Easy:1:0:\n1111\n;\n";
  std::string chart = ConvertStepText(text);
  size_t sections = 0;
  for (size_t at = chart.find("<starteasy>"); at != std::string::npos; at = chart.find("<starteasy>", at + 1))
    ++sections;
  EXPECT_EQ(sections, 1000u);
}

// Our own files with the quirks of real packs, each chart checked against hand arithmetic.
TEST(StepConversion, OwnFilesImportWhole) {
  const struct {
    std::string path;
    const char* chart;
  } cases[] = {
      // Four blocks ended by ",;", "0001;", a one-line header, a block missing its ";",
      // a doubles block in between, CRLF line ends throughout.
      {OwnData + "pack-quirks.sm", "beginner: 0@1000 3@3000 / easy: 0@1000 1@1500 2@2000 3@2500 / "
                                   "medium: 0@1000+1000 3@2500 / hard: 0@1000 3@1000 1@1750 2@2500"},
      {OwnData + "doubles-only.sm", ""},
      // CR line ends, lower-case tags, two on a line. 120 BPM, offset -0.1: beat b at 500 b + 100.
      {OwnData + "lower-case-cr.sm", "easy: 0@100 1@600 2@1100 3@1600 0@2100+1000"},
      // Only the whole header of the Medium block counts; its row lies at beat 0.
      {OwnData + "broken-headers.sm", "medium: 2@0"},
      // 120 BPM, -120 from beat 4 to 5: beat 5 at 2000 - 500, and beats 4 to 6
      // are skipped (the hold starting at beat 5 too, so its end gives nothing);
      // beat 6 at 2000, beat 7 at 2500. The stop of -0.5 s at beat 10 skips beat 10
      // (half a second is one beat); beat 11 at 5500 - 1000 - 500, beat 12 at 4500.
      {OwnData + "negative-warps.sm", "hard: 0@0 3@2000 1@4000 2@4500"},
      // Song: offset -0.05, 120 BPM, warp 4=2, delay 8=0.25, fake 10=1, stop 12=0.5.
      // Easy (the song's timing): beat 0 at 50; beats 4, 5 warped; beat 6 at
      // 3000 - 1000 + 50; beat 8 after its delay at 4000 - 1000 + 250 + 50; the F
      // at beat 9 and the fake span at 10 give nothing; beat 11 at 4800; beat 12
      // before its stop at 5300, with a mine; beat 13 after it at 6300.
      // Hard: its own 60 BPM, the song's offset, no warps, delays or stops.
      // The pump chart and the Edit chart give nothing. Medium: its own offset 0,
      // the song's tempo, nothing else. Challenge (lower-case tags): the hold
      // starting in the warp gives nothing, its end neither; the hold from beat 8
      // to beat 10 (a fake span does not cut an end) lasts 1000.
      {OwnSsc + "timing.ssc", "easy: 0@50 3@2050 0@3300 3@4800 0@5300 1@6300 / hard: 0@50 1@1050 2@4050 0@8050 / "
                              "medium: 1@2000 0@4000 / challenge: 1@2550 2@3300+1000"},
  };
  for (const auto& c : cases) EXPECT_EQ(Import(ReadTextFile(c.path)), c.chart) << c.path;
  std::string crlf = ReadTextFile(OwnData + "pack-quirks.sm");
  ASSERT_NE(crlf.find("\r\n"), std::string::npos);
  std::string cr = ReadTextFile(OwnData + "lower-case-cr.sm");
  ASSERT_EQ(cr.find('\n'), std::string::npos);
}

// Real files written by others: every one imports without a crash.
TEST(StepConversion, RealFilesImport) {
  SKIP_WITHOUT_SHARED_FILES();
  for (const char* name : {"adrenaline.sm", "ants.sm", "blank.sm", "nekonabe.sm", "sdf-test.sm"})
    EXPECT_EQ(ConvertStepText(ReadTextFile(SharedData + name)).empty(), std::string(name) == "blank.sm");
  // nekonabe: byte order mark, Japanese text; its dance-double blocks give no section.
  std::string neko = Import(ReadTextFile(SharedData + "nekonabe.sm"));
  EXPECT_TRUE(neko.starts_with("hard:")) << neko.substr(0, 40);
  EXPECT_EQ(neko.find("beginner:"), neko.rfind(":") - 8);  // Beginner is the last section
}

TEST(StepConversion, RealFileSdfTestTimes) {
  SKIP_WITHOUT_SHARED_FILES();
  std::string chart = Import(ReadTextFile(SharedData + "sdf-test.sm"));
  // Beginner: "1000" opens measures 0, 4 and 7, "0001" measures 2 and 6.
  // #OFFSET:-0.060 puts beat 0 at 60 ms. #BPMS:0.000=93.810,5.000=187.62:
  // beats 0-5 take 5 x 60 / 93.81 = 3.197953 s, each later beat 60 / 187.62 = 0.319795 s.
  //   beat 8:  3.197953 + 3 x 0.319795 + 0.060 = 4.217339 s -> 4217
  //   beat 16: 3.197953 + 11 x 0.319795 + 0.060 = 6.775702 s -> 6776
  //   beat 24: 3.197953 + 19 x 0.319795 + 0.060 = 9.334065 s -> 9334
  //   beat 28: 3.197953 + 23 x 0.319795 + 0.060 = 10.613246 s -> 10613
  EXPECT_TRUE(chart.starts_with("beginner: 0@60 3@4217 0@6776 3@9334 0@10613 / easy:"));
  EXPECT_EQ(chart.find("edit"), std::string::npos);
  EXPECT_NE(chart.find(" / challenge:"), std::string::npos);
}

TEST(StepConversion, RealFileAntsTimesThroughTempoChangesAndStops) {
  SKIP_WITHOUT_SHARED_FILES();
  std::string chart = Import(ReadTextFile(SharedData + "ants.sm"));
  // #OFFSET:0.012 puts beat 0 at -12 ms. The tempo is 140 up to beat 34.75;
  // 34.75-35.125 at 105 and 35.125-35.5 at 210 take as long as 0.75 beat at 140,
  // so beat 40 lies at 40 x 60 / 140 = 17.142857 s. Then 40-41 at 280 BPM,
  // 41-41.5 at 560, 41.5-42 at 280. Stops: 40, 40.25, 40.5, 40.75 (0.053,
  // 0.054, 0.054, 0.053 s), 41 (0.161), 41.5 (0.107).
  // Measure 8 (beat 32) row 0 "1001": 32 x 60 / 140 - 0.012 = 13.702286 s -> 13702 twice.
  // Measure 10 (beats 40-44, 16 rows of a quarter beat):
  //   row 0 "1000", beat 40 (its stop not yet): 17.142857 - 0.012 = 17.130857 s -> 17131
  //   row 1 "0010", beat 40.25: + 0.25 x 60/280 = 17.196429, + stop 0.053, - 0.012 -> 17237
  //   row 2 "1000", beat 40.5: 17.25 + 0.107 - 0.012 = 17.345 -> 17345
  //   row 3 "0010", beat 40.75: 17.303571 + 0.161 - 0.012 = 17.452571 -> 17453
  //   row 4 "020M", beat 41: 17.357143 + 0.214 - 0.012 = 17.559143 -> 17559, a hold in column 1
  //   row 8 "0301", beat 42: 17.357143 + 0.053571 + 0.107143 = 17.517857,
  //     + 0.482 - 0.012 = 17.987857 -> 17988; it ends the hold: 17988 - 17559 = 429
  EXPECT_TRUE(chart.starts_with("challenge: 0@13702 3@13702 ")) << chart.substr(0, 40);
  EXPECT_NE(chart.find(" 0@17131 2@17237 0@17345 2@17453 1@17559+429 "), std::string::npos);
  EXPECT_NE(chart.find(" 3@17988 "), std::string::npos);
}

TEST(StepConversion, RealFileAdrenalineTimes) {
  SKIP_WITHOUT_SHARED_FILES();
  // #OFFSET:1.034, 134 BPM. Easy measure 0 has 32 rows of 1/8 beat; row 26
  // "0020" at beat 3.25: 3.25 x 60/134 - 1.034 = 0.421224 s -> 421, ended by row
  // 27 "0030" at beat 3.375: 0.477194 s -> 477, a hold of 56; rows 28-29 "2000",
  // "3000" likewise at 533 for 56. Measure 1 (beat 4, 8 rows) "1100":
  // 4 x 60/134 - 1.034 = 0.757045 s -> 757 twice.
  std::string chart = Import(ReadTextFile(SharedData + "adrenaline.sm"));
  EXPECT_TRUE(chart.starts_with("easy: 2@421+56 0@533+56 0@757 1@757 ")) << chart.substr(0, 40);
}

TEST(StepConversion, RealSscFiles) {
  SKIP_WITHOUT_SHARED_SSC_FILES();
  // Springtime: the song's 181.685 BPM, but the Challenge chart's own tempo
  // halves from beat 304 to 311; offset -0.090 in each chart. Beat 304 lies
  // at 304 x 60 / 181.685 = 100.3935 s, a beat of 90.843 lasts 0.660481 s.
  //   beat 307 (hold start, column 2): 100.3935 + 3 x 0.660481 + 0.090 = 102.464979 -> 102465
  //   beat 308 (its end): + 0.660481 = 103.125459 -> 103125, a hold of 660
  //   beat 311.25 ("1003", a lone end in column 3): 100.3935 + 7 x 0.660481
  //     + 0.25 x 60 / 181.685 + 0.090 = 105.189460 -> 105189, no hold
  // The pump-single charts give nothing.
  std::string spring = Import(ReadTextFile(SharedSsc + "Springtime.ssc"));
  EXPECT_NE(spring.find(" 2@102465+660 "), std::string::npos);
  EXPECT_NE(spring.find(" 0@105189 3@105272 "), std::string::npos);
  std::string order;
  for (size_t at = spring.find(':'); at != std::string::npos; at = spring.find(':', at + 1))
    order += spring.substr(spring.rfind(' ', at - 1) + 1, at - spring.rfind(' ', at - 1));
  EXPECT_EQ(order, "challenge:hard:beginner:medium:easy:");
  // L9: "#NOTES2" with keysounds ("K[1]K[2]K[3]1[0]"), 192-row measures at 123 BPM:
  // measure 1 row 0 at 4 x 60 / 123 = 1.951220 s, row 12 at beat 4.25: 2.073171 s.
  std::string l9 = Import(ReadTextFile(SharedSsc + "L9.ssc"));
  EXPECT_TRUE(l9.starts_with("challenge: 3@1951 1@2073 2@2195 0@2317 ")) << l9.substr(0, 60);
  EXPECT_EQ(l9.find(" / "), std::string::npos);
}

// At 120 BPM a beat is 500 ms; row k of n in measure m lies at beat 4m + 4k/n.
TEST(StepConversion, MinesRollsPlacesInTheBeatAndMeters) {
  std::string measures = "1000\nM000\n0400\n0300\n";  // a step, a mine at beat 1, a roll from beat 2 to 3
  const int divisions[] = {8, 12, 16, 24, 32, 64, 192};
  for (int n : divisions) measures += ",\n" + Rows(n, 1, "0001");
  std::string chart = ConvertStepText(At120 + Block("Easy", measures));
  // Beats 4.5, 8 + 1/3, 12.25, 16 + 1/6, 20.125, 24.0625, 28 + 1/48, each x 500 ms, rounded.
  EXPECT_EQ(Brief(chart), "easy: 0@0 1@1000+500 3@2250 3@4167 3@6125 3@8083 3@10063 3@12031 3@14010");
  std::istringstream in(chart);
  ChartSection easy = ReadChart(in, Easy);
  std::string places, rolls;
  for (const Note& note : easy.notes) {
    places += std::to_string(static_cast<int>(note.beat));
    rolls += note.roll ? 'r' : '.';
  }
  EXPECT_EQ(places, "112345678");  // quarter, quarter, eighth, ..., sixty-fourth, other
  EXPECT_EQ(rolls, ".r.......");
  ASSERT_EQ(easy.mines.size(), 1u);
  EXPECT_EQ(easy.mines[0].column * 10000 + easy.mines[0].time, 500);
  EXPECT_EQ(easy.meter, 1);  // the header's fourth field
  // An .ssc chart's #METER; a mine in a warp is never met.
  chart = ConvertStepText("#OFFSET:0;\n#BPMS:0=120;\n#NOTEDATA:;\n#STEPSTYPE:dance-single;\n#DIFFICULTY:Hard;\n"
                          "#METER:11;\n#WARPS:3=1;\n#NOTES:\n4M00\n0000\n3000\n0M00\n;\n");
  std::istringstream ssc(chart);
  ChartSection hard = ReadChart(ssc, Hard);
  EXPECT_EQ(Brief(chart), "hard: 0@0+1000");
  ASSERT_EQ(hard.notes.size(), 1u);
  EXPECT_TRUE(hard.notes[0].roll);
  ASSERT_EQ(hard.mines.size(), 1u);
  EXPECT_EQ(hard.mines[0].column * 10000 + hard.mines[0].time, 10000);  // beside the roll's head
  EXPECT_EQ(hard.meter, 11);
}

}  // namespace

// The command's chart over its own step file, by its path or through a link: refused, the file untouched.
TEST(StepImport, NeverOverItsOwnStepFile) {
  ScratchFolder scratch;
  const std::string steps = "#BPMS:0=120;\n#NOTES:\n dance-single:\n :\n Easy:\n 1:\n 0:\n1000\n;\n";
  WriteTextFile("a.ssc", steps);
  std::filesystem::create_symlink("a.ssc", "link.tq");
  for (const char* chart : {"a.ssc", "./a.ssc", "link.tq"}) {
    std::string why;
    EXPECT_EQ(ImportStepFile("a.ssc", chart, why), ImportResult::CannotWrite) << chart;
    EXPECT_EQ(why, "it is the step file itself");
  }
  EXPECT_EQ(ReadTextFile("a.ssc"), steps);
  EXPECT_EQ(ImportStepFile("a.ssc", "a.tq"), ImportResult::Written);
}
