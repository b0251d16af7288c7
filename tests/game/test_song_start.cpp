// The song start: the notes, the counters and the song clock's anchor.
#include <gtest/gtest.h>

#include "game/play_helpers.h"
#include "game/song_start.h"

namespace {

// A section of records "i%4 10i 0 ----" from a start tag.
std::string Section(const std::string& tag, int records, int firstTime = 0) {
  std::string text = tag + "\n";
  for (int i = 0; i < records; ++i)
    text += std::to_string(i % 4) + "\n" + std::to_string(firstTime + 10 * i) + "\n0\n----\n";
  return text + "<stop>\n";
}

struct SongStarting : testing::Test {
  void SetUp() override { ResetPlay(); }
  ScratchFolder scratch;
  std::string song = "Song.mp3";
};

TEST_F(SongStarting, FillsTheListResetsThePlayAndAnchorsTheClock) {
  WriteTextFile("Music/Song.mp3.tq", Section("<starteasy>", 2) + Section("<startmedium>", 3, 700));
  AddNote(0, 1);
  PopupList.push_back(RatingPopup{});
  BooCount = GoodCount = PerfectCount = Combo = LongestCombo = SongPosition = ColumnTimer[2] = 9;
  GameClockMs = 5000;
  LastTicks = SDL_GetTicks() - 300;  // the clock stepped 300 ms ago
  StartSong(song, Medium);
  ASSERT_EQ(NoteList.size(), 3u);
  EXPECT_EQ(NoteList[0].time, 700);
  EXPECT_TRUE(PopupList.empty());
  for (int32_t value : {BooCount, GoodCount, PerfectCount, Combo, LongestCombo, SongPosition, ColumnTimer[2]})
    EXPECT_EQ(value, 0);
  EXPECT_GE(PlayStart, 5300);
  EXPECT_LT(PlayStart, 5400);
  EXPECT_EQ(CurrentMusic, nullptr);  // no such music file
}

TEST_F(SongStarting, PathsOfAnyLength) {
  for (int i = 0; i < 12; ++i) song = std::string(40, 'a' + i) + "/" + song;
  WriteTextFile("Music/" + song + ".tq", Section("<startmedium>", 4));
  StartSong(song, Medium);
  EXPECT_EQ(NoteList.size(), 4u);
}

}  // namespace
