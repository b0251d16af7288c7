#include <gtest/gtest.h>

#include <sstream>

#include "app/screen_state.h"
#include "charts/chart_file.h"
#include "game/notes.h"

namespace {

std::string WrittenSection(int difficulty, std::initializer_list<Note> notes) {
  SelectedDifficulty = difficulty;
  for (const Note& note : notes) AppendNote(note);
  std::ostringstream out;
  WriteChartSection(out);
  EXPECT_TRUE(NoteList.empty());
  SelectedDifficulty = Beginner;
  return out.str();
}

}  // namespace

TEST(ChartWriter, WritesSectionsByteForByteAndEmptiesTheList) {
  EXPECT_EQ(WrittenSection(Beginner, {{0, 3075, 0}, {3, 4118, 0}}),
            "<startbeginner>\n0\n3075\n0\n----\n3\n4118\n0\n----\n<stop>\n");
  EXPECT_EQ(WrittenSection(Challenge, {{1, -250, 500}}), "<startchallenge>\n1\n-250\n500\n----\n<stop>\n");
}

TEST(ChartWriter, NothingIsWrittenForAnEmptyListOrAnUnknownDifficulty) {
  EXPECT_EQ(WrittenSection(Hard, {}), "");
  EXPECT_EQ(WrittenSection(5, {{0, 1, 0}}), "");
  EXPECT_EQ(WrittenSection(-1, {{0, 1, 0}}), "");
}
