// The chart file: its reader, its writer and its whole-chart text.
#include <gtest/gtest.h>

#include <sstream>

#include "charts/chart_file.h"
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
