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

TEST_F(SongStarting, FillsTheListAndResetsThePlayButWithoutMusicDoesNotStart) {
  WriteTextFile("Music/Song.mp3.tq", Section("<starteasy>", 2) + Section("<startmedium>", 3, 3000));
  AddNote(0, 1);
  PopupList.push_back(RatingPopup{});
  BooCount = GoodCount = PerfectCount = Combo = LongestCombo = SongPosition = ColumnTimer[2] = 9;
  GameClockMs = 5000;
  LastTicks = SDL_GetTicks() - 300;  // the clock stepped 300 ms ago
  EXPECT_FALSE(StartSong(song, Medium)) << "no such music file";
  EXPECT_EQ(MusicProblem, "cannot play Song.mp3: the file cannot be read");
  ASSERT_EQ(NoteList.size(), 3u);
  EXPECT_EQ(NoteList[0].time, 3000);
  EXPECT_TRUE(PopupList.empty());
  for (int32_t value : {BooCount, GoodCount, PerfectCount, Combo, LongestCombo, SongPosition, ColumnTimer[2]})
    EXPECT_EQ(value, 0);
  EXPECT_EQ(CurrentMusic, nullptr);
}

TEST_F(SongStarting, PathsOfAnyLength) {
  for (int i = 0; i < 12; ++i) song = std::string(40, 'a' + i) + "/" + song;
  WriteTextFile("Music/" + song + ".tq", Section("<startmedium>", 4));
  StartSong(song, Medium);
  EXPECT_EQ(NoteList.size(), 4u);
}

}  // namespace

// The arrow rises 430 pixels from the bottom edge to the target line: 2150 ms
// at scroll speed 1. A first note sooner than that starts the music later by
// the rest; one at 3 s, or exactly at the rise, changes nothing.
TEST(LeadIn, TheRestOfTheFirstArrowsRise) {
  struct Case { std::vector<int> times; double speed; int audioOffset, leadIn; };
  for (const Case& c : {Case{{60}, 1.0, 0, 2090}, Case{{3000}, 1.0, 0, 0}, Case{{2150}, 1.0, 0, 0},
                        Case{{900, 60, 3000}, 1.0, 0, 2090}, Case{{-200}, 1.0, 0, 2150}, Case{{60}, 2.0, 0, 1015},
                        Case{{60}, 4.0, 0, 477}, Case{{60}, 1.0, 100, 1990}, Case{{}, 1.0, 0, 0},
                        Case{{60}, 0.0, 0, 0}}) {
    std::vector<Note> notes;
    for (int t : c.times) notes.push_back(Note{0, t, 0});
    EXPECT_EQ(LeadInMs(notes, c.speed, c.audioOffset), c.leadIn) << c.times.size() << " notes at speed " << c.speed;
  }
}
