#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "app/screen_state.h"
#include "charts/chart_file.h"
#include "game/play_helpers.h"

namespace {

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
  AddNote(0, 5);  // left over from an earlier song
  std::istringstream in(GetParam().chart);
  ReadChartSection(in, GetParam().difficulty);
  ASSERT_EQ(NoteList.size(), GetParam().notes);
  if (NoteList.empty()) return;
  EXPECT_EQ(NoteList[0].column, GetParam().first.column);
  EXPECT_EQ(NoteList[0].time, GetParam().first.time);
  EXPECT_EQ(NoteList[0].hold, GetParam().first.hold);
  if (NoteList.size() == 989) {
    EXPECT_EQ(NoteList.back().time, 9880);  // the first 989, in file order
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

// 100 MB of digits as the first word, and as a number inside the section:
// refused after a hundred characters instead of read whole.
TEST(ChartFile, HundredMegabytesOfDigitsEndTheReading) {
  ScratchFolder scratch;
  for (std::string head : {std::string(), std::string("<starteasy> 0 5 0 -- 1 6 0 -- ")}) {
    std::ofstream out("huge.tq");
    out << head;
    for (int megabyte = 0; megabyte < 100; ++megabyte) out << std::string(1 << 20, '7');
    out << " 0 5 0 -- <stop>";
    out.close();
    ReadChartSection("huge.tq", Easy);
    EXPECT_EQ(NoteList.size(), head.empty() ? 0u : 2u);
  }
}

struct SongStarting : testing::Test {
  void SetUp() override {
    ResetPlay();
    SelectedSong = "Song.mp3";
    SelectedDifficulty = Medium;
  }
  ScratchFolder scratch;
};

TEST_F(SongStarting, FillsTheListResetsThePlayAndAnchorsTheClock) {
  WriteTextFile("Music/Song.mp3.tq", Section("<starteasy>", 2) + Section("<startmedium>", 3, 700));
  AddNote(0, 1);
  AppendPopup(RatingPopup{});
  BooCount = GoodCount = PerfectCount = Combo = LongestCombo = SongPosition = ColumnTimer[2] = 9;
  GameClockMs = 5000;
  LastTicks = SDL_GetTicks() - 300;  // the chrome stepped the clock 300 ms ago
  StartSong();
  ASSERT_EQ(NoteList.size(), 3u);
  EXPECT_EQ(NoteList[0].time, 700);
  EXPECT_TRUE(PopupList.empty());
  for (int32_t value : {BooCount, GoodCount, PerfectCount, Combo, LongestCombo, SongPosition, ColumnTimer[2]})
    EXPECT_EQ(value, 0);
  EXPECT_GE(PlayStart, 5300);
  EXPECT_LT(PlayStart, 5400);
  EXPECT_EQ(CurrentMusic, nullptr);  // no such music file
  EXPECT_EQ(Screen, Play);
}

TEST_F(SongStarting, PathsOfAnyLength) {
  for (int i = 0; i < 12; ++i) SelectedSong = std::string(40, 'a' + i) + "/" + SelectedSong;
  WriteTextFile("Music/" + SelectedSong + ".tq", Section("<startmedium>", 4));
  StartSong();
  EXPECT_EQ(NoteList.size(), 4u);
}

}  // namespace
