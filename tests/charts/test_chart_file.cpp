#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "app/screen_state.h"
#include "charts/chart_file.h"
#include "charts/library.h"
#include "game/notes.h"
#include "screens/difficulty_select.h"
#include "test_support.h"

namespace {

class ChartWriterTest : public testing::Test {
 protected:
  void SetUp() override {
    EmptyNoteList();
    SelectedDifficulty = Beginner;
  }
  void TearDown() override {
    EmptyNoteList();
    SelectedDifficulty = Beginner;
  }
};

std::string WrittenSection() {
  std::ostringstream out;
  WriteChartSection(out);
  return out.str();
}

}  // namespace

TEST_F(ChartWriterTest, WritesTheBeginnerExampleByteForByte) {
  AppendNote({0, 3075, 0});
  AppendNote({3, 4118, 0});
  EXPECT_EQ(WrittenSection(),
            "<startbeginner>\n0\n3075\n0\n----\n3\n4118\n0\n----\n<stop>\n");
  EXPECT_TRUE(NoteList.empty());
}

TEST_F(ChartWriterTest, EmptyListWritesNothingAtAll) {
  std::ostringstream out;
  out << "before\n";
  WriteChartSection(out);
  EXPECT_EQ(out.str(), "before\n");
  EXPECT_TRUE(NoteList.empty());
}

TEST_F(ChartWriterTest, EachDifficultyWritesItsOwnTag) {
  const char* expected[DifficultyCount] = {"<startbeginner>", "<starteasy>", "<startmedium>",
                                           "<starthard>", "<startchallenge>"};
  for (int d = 0; d < DifficultyCount; ++d) {
    SelectedDifficulty = d;
    AppendNote({2, 10, 0});
    EXPECT_EQ(WrittenSection(), std::string(expected[d]) + "\n2\n10\n0\n----\n<stop>\n");
    EXPECT_STREQ(SectionTags[d], expected[d]);
  }
}

TEST_F(ChartWriterTest, NegativeTimesHoldsAndJumpsAreWrittenAsTheyStandInListOrder) {
  SelectedDifficulty = Hard;
  AppendNote({1, -250, 500});
  AppendNote({0, 1000, 0});
  AppendNote({3, 1000, -7});  // a jump: same time, kept in append order
  EXPECT_EQ(WrittenSection(),
            "<starthard>\n1\n-250\n500\n----\n0\n1000\n0\n----\n3\n1000\n-7\n----\n<stop>\n");
}

TEST_F(ChartWriterTest, SectionsAppendToOneStreamAndSecondCallOnEmptyListAddsNothing) {
  std::ostringstream out;
  SelectedDifficulty = Easy;
  AppendNote({0, 1, 0});
  WriteChartSection(out);
  WriteChartSection(out);  // the list is now empty
  SelectedDifficulty = Challenge;
  AppendNote({3, 2, 0});
  WriteChartSection(out);
  EXPECT_EQ(out.str(), "<starteasy>\n0\n1\n0\n----\n<stop>\n<startchallenge>\n3\n2\n0\n----\n<stop>\n");
}

TEST_F(ChartWriterTest, DifficultyOutsideTheFiveWritesNothingButStillEmptiesTheList) {
  for (int bad : {-1, 5, 1000}) {
    SelectedDifficulty = bad;
    AppendNote({0, 1, 0});
    EXPECT_EQ(WrittenSection(), "") << bad;
    EXPECT_TRUE(NoteList.empty());
  }
}

TEST_F(ChartWriterTest, ThousandNotesAreAllWritten) {
  for (int i = 0; i < 1000; ++i) AppendNote({i % 4, i * 100, 0});
  std::string text = WrittenSection();
  size_t separators = 0;
  for (size_t at = text.find("----"); at != std::string::npos; at = text.find("----", at + 1)) ++separators;
  EXPECT_EQ(separators, 1000u);
  EXPECT_TRUE(EndsWith(text, "3\n99900\n0\n----\n<stop>\n"));
}

TEST_F(ChartWriterTest, WrittenTokensStayWithinTheReadersLimit) {
  AppendNote({3, INT32_MIN, INT32_MIN});
  std::istringstream in(WrittenSection());
  std::string token;
  while (in >> token) EXPECT_LE(token.size(), 16u) << token;
}

TEST_F(ChartWriterTest, WrittenFileReadsBackItsDifficulties) {
  ScratchFolder scratch;
  std::ostringstream out;
  for (int d : {Medium, Challenge}) {
    SelectedDifficulty = d;
    AppendNote({1, 500, 0});
    WriteChartSection(out);
  }
  WriteTextFile("Music/a.mp3.tq", out.str());
  bool flags[DifficultyCount];
  ReadChartDifficulties("Music/a.mp3.tq", flags);
  EXPECT_FALSE(flags[Beginner]);
  EXPECT_FALSE(flags[Easy]);
  EXPECT_TRUE(flags[Medium]);
  EXPECT_FALSE(flags[Hard]);
  EXPECT_TRUE(flags[Challenge]);
}
