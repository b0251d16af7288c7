// The chart file: its reader, its writer and its whole-chart text.
#include <gtest/gtest.h>

#include <sstream>

#include "charts/chart_file.h"
#include "charts/chart_meter.h"
#include "charts/step_text.h"
#include "test_files.h"

namespace {

std::string ScanChart(const std::string& text) {
  WriteTextFile("c.tq", text);
  bool flags[DifficultyCount];
  ReadChartDifficulties("c.tq", flags);
  std::string s;
  for (bool f : flags) s += f ? '1' : '0';
  return s;
}

// A section of records "i%4 10i 0 ----" from a start tag.
std::string Section(const std::string& tag, int records, int firstTime = 0) {
  std::string text = tag + "\n";
  for (int i = 0; i < records; ++i)
    text += std::to_string(i % 4) + "\n" + std::to_string(firstTime + 10 * i) + "\n0\n----\n";
  return text + "<stop>\n";
}

struct ReadCase {
  std::string chart;
  int difficulty;
  size_t notes;
  Note first;  // checked when there are notes
};

class ChartReading : public testing::TestWithParam<ReadCase> {};

TEST_P(ChartReading, GivesTheNotesOfItsSection) {
  std::istringstream in(GetParam().chart);
  std::vector<Note> notes = ReadChartSection(in, GetParam().difficulty);
  ASSERT_EQ(notes.size(), GetParam().notes);
  if (notes.empty()) return;
  EXPECT_EQ(notes[0].column, GetParam().first.column);
  EXPECT_EQ(notes[0].time, GetParam().first.time);
  EXPECT_EQ(notes[0].hold, GetParam().first.hold);
  if (notes.size() == 989) {
    EXPECT_EQ(notes.back().time, 9880);  // the first 989, in file order
  }
}

const std::string Three = "<startbeginner>\n2\n4118\n0\n----\n0\n-30\n250\n----\n3\n3075\n0\n----\n<stop>\n";
const std::string Earlier =
    Section("<startbeginner>", 3, 100) + Section("<starteasy>", 4) + Section("<startmedium>", 5);

INSTANTIATE_TEST_SUITE_P(
    Charts, ChartReading,
    testing::Values(ReadCase{"<starteasy>\n<stop>\n", Easy, 0, {}},
                    ReadCase{Three, Beginner, 3, {2, 4118, 0}},
                    ReadCase{"<startmedium> 1 100 0 ----\r\n\t2 200 50 x <stop>", Medium, 2, {1, 100, 0}},
                    ReadCase{Section("<starthard>", 1000), Hard, 989, {0, 0, 0}},
                    ReadCase{Section("<starthard>", 989), Hard, 989, {0, 0, 0}},
                    ReadCase{"<starteasy> 0 5 0 ---- 1 6 0", Easy, 1, {0, 5, 0}},         // no separator
                    ReadCase{"<starteasy> 0 5 0 ---- 1 6 0 ----", Easy, 1, {0, 5, 0}},    // nothing after it
                    ReadCase{"<starteasy> 0 5 0 ---- 1 6 0 ----\n", Easy, 2, {0, 5, 0}},  // no <stop>
                    ReadCase{"<starthard>x 3 7 0 -- <stop>", Hard, 1, {3, 7, 0}},         // a glued tag
                    ReadCase{"x<starthard> 3 7 0 -- <stop>", Hard, 0, {}},
                    ReadCase{Earlier + Section("<starthard>", 2, 5000), Hard, 2, {0, 5000, 0}},
                    ReadCase{"<starthard> <stop> " + Section("<starthard>", 3), Hard, 0, {}},
                    ReadCase{"<starteasy> 0 5 0 -- 1 soon 0 -- <stop>", Easy, 1, {0, 5, 0}},
                    ReadCase{"<starteasy> 7 -500 -20 -- 1 1000000000 -1 -- <stop>", Easy, 2, {7, -500, -20}},
                    ReadCase{"<starteasy> 0 -2147483648 2147483647 -- 1 2147483648 0 -- <stop>",
                             Easy,
                             1,
                             {0, INT32_MIN, INT32_MAX}},
                    ReadCase{"<starteasy>" + std::string(88, 'x') + " 0 1 0 -- <stop>", Easy, 1, {0, 1, 0}},
                    ReadCase{
                        "<starteasy>" + std::string(89, 'x') + " 0 1 0 -- <stop>", Easy, 0, {}},  // 100 long
                    ReadCase{Section("<starteasy>", 3), 7, 0, {}}));

// A megabyte of digits as the first word, and as a number inside the section:
// refused after a hundred characters instead of read whole.
TEST(ChartFile, EndlessDigitsEndTheReading) {
  ScratchFolder scratch;
  for (std::string head : {std::string(), std::string("<starteasy> 0 5 0 -- 1 6 0 -- ")}) {
    WriteTextFile("huge.tq", head + std::string(1 << 20, '7') + " 0 5 0 -- <stop>");
    EXPECT_EQ(ReadChartSection("huge.tq", Easy).size(), head.empty() ? 0u : 2u);
  }
}

TEST(ChartScan, TagsArePrefixesOfWhiteSpaceSeparatedWords) {
  ScratchFolder scratch;
  EXPECT_EQ(ScanChart("<starteasy>\n0\n10\n0\n----\n<stop>\n<starthard>\n<stop>\n"), "01010");
  EXPECT_EQ(ScanChart("<starteasy>\r\n0\r\n<stop>\r\n<starthard>\r\n<stop>\r\n"), "01010");
  EXPECT_EQ(ScanChart("<startchallenge> <stop>\t<startbeginner><stop> <startmedium>"), "10101");
  EXPECT_EQ(ScanChart("<starthard>xyz"), "00010");
  EXPECT_EQ(ScanChart("x<starthard> <StartEasy> <start\nmedium> 0 ----"), "00000");
  std::string longest = "<starthard>" + std::string(LongestChartToken - 11, 'x');
  EXPECT_EQ(ScanChart(longest + " <startmedium>" + std::string(LongestChartToken, 'x') + " <starteasy>"),
            "01010");  // the medium word is too long
  EXPECT_EQ(ScanChart(std::string(4090, ' ') + "<startmedium>"), "00100");  // across read pieces
  EXPECT_EQ(ScanChart(std::string(2 << 20, '<') + "\n<startchallenge>\n"), "00001");  // after a huge word
  EXPECT_EQ(ScanChart(std::string("\0\xff\x01 <starteasy>\n\x80", 17)), "01000");
  bool flags[DifficultyCount] = {true, true, true, true, true};
  ReadChartDifficulties("missing.tq", flags);
  for (bool f : flags) EXPECT_FALSE(f);
}

std::string WrittenSection(int difficulty, const std::vector<Note>& notes) {
  std::ostringstream out;
  WriteChartSection(out, difficulty, notes);
  return out.str();
}

}  // namespace

TEST(ChartWriter, WritesSectionsByteForByte) {
  EXPECT_EQ(WrittenSection(Beginner, {{0, 3075, 0}, {3, 4118, 0}}),
            "<startbeginner>\n0\n3075\n0\n----\n3\n4118\n0\n----\n<stop>\n");
  EXPECT_EQ(WrittenSection(Challenge, {{1, -250, 500}}), "<startchallenge>\n1\n-250\n500\n----\n<stop>\n");
  EXPECT_EQ(ChartText({{Hard, {{2, 7, 0}}}, {Hard, {}}, {Easy, {{0, 1, 2}}}}),
            "<starthard>\n2\n7\n0\n----\n<stop>\n<starteasy>\n0\n1\n2\n----\n<stop>\n");
}

TEST(ChartWriter, NothingIsWrittenForNoNotesOrAnUnknownDifficulty) {
  EXPECT_EQ(WrittenSection(Hard, {}), "");
  EXPECT_EQ(WrittenSection(5, {{0, 1, 0}}), "");
  EXPECT_EQ(WrittenSection(-1, {{0, 1, 0}}), "");
}

TEST(ChartWriter, WhatIsWrittenReadsBack) {
  const std::vector<Note> notes = {{0, INT32_MIN, 0}, {3, INT32_MAX, INT32_MAX}, {1, 0, -5}, {2, 0, 0}};
  std::istringstream in(ChartText({{Easy, {{1, 1, 1}}}, {Medium, notes}}));
  std::vector<Note> read = ReadChartSection(in, Medium);
  ASSERT_EQ(read.size(), notes.size());
  for (size_t i = 0; i < notes.size(); ++i) {
    EXPECT_EQ(read[i].column, notes[i].column);
    EXPECT_EQ(read[i].time, notes[i].time);
    EXPECT_EQ(read[i].hold, notes[i].hold);
  }
}

// Mines, rolls, places in the beat and meters: a plain reader, by the file's
// rules alone, finds the plain chart with nothing lost or shifted, and ours everything.
TEST(ChartFile, WhatPlainReadersPassOverCarriesTheRest) {
  const ChartSection hard{Hard,
                          {{0, 500, 0, false, BeatPlace::Quarter}, {2, 625, 250, true, BeatPlace::Sixteenth},
                           {3, 700, 0, false, BeatPlace::Other}},
                          {{1, 550, 0}, {3, 900, 0}}, 11};
  const ChartSection easy{Easy, {{1, 40, 0}}, {}, 0};
  const std::string text = ChartText({hard, easy}, true);
  EXPECT_EQ(Brief(text), "hard: 0@500 2@625+250 3@700 / easy: 1@40");
  EXPECT_EQ(ScanChart(text), "01010");
  std::istringstream in(text);
  ChartSection read = ReadChart(in, Hard);
  std::string read3;  // place in the beat and roll of each note
  for (const Note& note : read.notes) read3 += std::to_string(static_cast<int>(note.beat)) + (note.roll ? "r " : " ");
  EXPECT_EQ(read3, "1 4r 8 ");
  ASSERT_EQ(read.mines.size(), 2u);
  EXPECT_EQ(read.mines[1].column * 10000 + read.mines[1].time, 30900);
  EXPECT_EQ(read.meter, 11);
  WriteTextFile("c.tq", text);
  EXPECT_TRUE(ChartMarkedFromStepFile("c.tq"));
  ChartSection second = ReadChart("c.tq", Easy);  // the section after the extras, untouched by them
  ASSERT_EQ(second.notes.size(), 1u);
  EXPECT_TRUE(second.mines.empty());
  EXPECT_EQ(second.meter + second.notes[0].time, 40);
  // Extras cut short, or not right after their section, give nothing; the notes stand.
  for (const char* bad : {"<starthard> 0 5 0 ---- <stop> <mines> 1 2", "<starthard> 0 5 0 ---- x <meter> 3 <stop>",
                          "<starthard> 0 5 0 ----4r <stop> <meter> -2 <stop>",
                          "<starthard> 0 5 0 ----99 <stop> <meter>"}) {
    std::istringstream cut(bad);
    read = ReadChart(cut, Hard);
    ASSERT_EQ(read.notes.size() * 100 + read.mines.size() * 10 + read.meter, 100u) << bad;
    bool quarter = std::string(bad).find("----4r") != std::string::npos;
    EXPECT_EQ(read.notes[0].beat, quarter ? BeatPlace::Quarter : BeatPlace::Unknown) << bad;
    EXPECT_FALSE(read.notes[0].roll) << "a tap is no roll";
  }
}

// Steady steps at 1, 2, 4 and 8 a second for a minute, then jumps and holds.
TEST(ChartMeter, GivenNumbersStandAndEstimatesRiseWithDensity) {
  auto steady = [](int perSecond, int arrows, int32_t hold) {
    std::vector<Note> notes;
    for (int32_t t = 0; t < 60000; t += 1000 / perSecond)
      for (int a = 0; a < arrows; ++a) notes.push_back({a, t, hold});
    return notes;
  };
  EXPECT_EQ(EstimatedMeter({}), 1);
  int last = EstimatedMeter(steady(1, 1, 0));
  for (int perSecond : {2, 4, 8}) {
    int meter = EstimatedMeter(steady(perSecond, 1, 0));
    EXPECT_GT(meter, last) << perSecond;
    last = meter;
  }
  EXPECT_GT(EstimatedMeter(steady(4, 2, 0)), EstimatedMeter(steady(4, 1, 0)));
  EXPECT_GT(EstimatedMeter(steady(4, 1, 100)), EstimatedMeter(steady(4, 1, 0)));
  // The densest stretch counts, not the quiet rest around it: 3 arrows a second
  // on the whole, 8 to 9 for a quarter of the minute, reads harder than a steady 4.
  std::vector<Note> burst = steady(1, 1, 0);
  for (const Note& note : steady(8, 1, 0))
    if (note.time < 15000) burst.push_back({1, note.time + 30000, 0});
  EXPECT_GT(EstimatedMeter(burst), EstimatedMeter(steady(4, 1, 0)));
  EXPECT_EQ(MeterLabel(MeterOf({Hard, steady(1, 1, 0), {}, 11})), "11");
  EXPECT_EQ(MeterLabel(MeterOf({Hard, steady(1, 1, 0), {}, 0})), "~" + std::to_string(EstimatedMeter(steady(1, 1, 0))));
  EXPECT_EQ(MeterLabel(ChartMeter{}), "");
}
