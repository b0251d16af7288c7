// Chart files no writer of the game makes: 100 MB of digits, columns outside
// 0..3, negative times and holds, times a billion milliseconds away. They are
// read in bounded memory and played to the end without a fault, and they stay
// on disk as they were.
#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "charts/chart_file.h"
#include "charts/library.h"
#include "charts/score_file.h"
#include "game/judgement.h"
#include "game/play.h"
#include "game/play_state.h"
#include "game/song_start.h"
#include "kit/clock.h"
#include "kit/input.h"
#include "kit/pause.h"
#include "kit/pause_pixels.h"
#include "app/app_support.h"
#include "screens/difficulty_select.h"
#include "screens/results.h"
#include "screens/screen_state.h"
#include "test_support.h"

namespace {

namespace fs = std::filesystem;

constexpr int64_t HundredMegabytes = 100LL * 1000 * 1000;

// Writes the tag line and then digits without a break, a megabyte at a time.
void WriteDigitChart(const fs::path& path, const std::string& head) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  ASSERT_NE(file, nullptr);
  std::fputs(head.c_str(), file);
  std::string digits(1000 * 1000, '7');
  for (int64_t written = 0; written < HundredMegabytes; written += static_cast<int64_t>(digits.size()))
    ASSERT_EQ(std::fwrite(digits.data(), 1, digits.size(), file), digits.size());
  std::fclose(file);
}

struct BadCharts : testing::Test {
  ScratchFolder scratch;

  void SetUp() override {
    OpenTestScreen();
    ResetGame();
    ResetPlayState();
  }
  void TearDown() override { ResetGame(); }
};

// One file of 100 MB: a medium tag, then digits that never end, then a hard section.
TEST_F(BadCharts, HundredMegabytesOfDigitsAreReadInBoundedMemory) {
  fs::create_directory("Music");
  WriteDigitChart("Music/Big.mp3.tq", "<startmedium>\n");
  {
    std::ofstream tail("Music/Big.mp3.tq", std::ios::app);
    tail << "\n<starthard>\n1\n10\n0\n----\n<stop>\n";
  }
  WriteTextFile("Music/Big.mp3", "");
  SelectedSong = "Big.mp3";
  // The difficulty select scans the file's first 16 MB: the tag before the
  // digits, not the one after them.
  long scanKb = PeakGrowthKb([] { EnterScreen(ScreenId::DifficultySelect); });
  EXPECT_TRUE(ChartHasDifficulty[Medium]);
  EXPECT_FALSE(ChartHasDifficulty[Hard]);
  EXPECT_FALSE(ChartHasDifficulty[Easy]);
  // The song start meets a number that never ends: no notes, and the word too
  // long to read ends the reading before the hard section too.
  long readKb = PeakGrowthKb([] { NoteList = ReadChartSection(ChartPath(SelectedSong), Medium); });
  EXPECT_TRUE(NoteList.empty());
  EXPECT_TRUE(ReadChartSection(ChartPath(SelectedSong), Hard).empty());
  EXPECT_LT(scanKb, 32 * 1024) << "the scan held a large part of the file";
  EXPECT_LT(readKb, 32 * 1024) << "the section read held a large part of the file";
  EXPECT_GT(static_cast<int64_t>(fs::file_size("Music/Big.mp3.tq")), HundredMegabytes);
}

// Every field at the edges of what a chart may say.
const std::string HostileChart =
    "<startmedium>\n"
    "7 300 0 ----\n"                       // a column of 7
    "-1 400 0 ----\n"                      // and of -1
    "0 -500 0 ----\n"                      // due before the music starts
    "1 600 -300 ----\n"                    // a negative hold
    "2 -2147483648 -2147483648 ----\n"     // the earliest time and hold there are
    "3 1000000000 0 ----\n"                // a billion milliseconds in
    "0 700 1000000000 ----\n"              // a hold a billion milliseconds long
    "1 800 2147483647 ----\n"
    "2 2147483647 2147483647 ----\n"
    "2147483647 900 0 ----\n"
    "-2147483648 900 5 ----\n"
    "3 900 0 ----\n"
    "<stop>\n";

// One frame of the play screen at a song position chosen by hand.
void PlayFrameAt(int64_t songMs, KeyState keyState) {
  for (int key : ColumnKeys) KeyStates[key] = keyState;
  GameClockMs = static_cast<int32_t>(static_cast<uint32_t>(PlayStart) + static_cast<uint32_t>(songMs));
  RunPlayScreen();
}

TEST_F(BadCharts, HostileValuesPlayAcrossTheWholeClock) {
  const int64_t positions[] = {0,         1,           299,         300,         420,
                               601,       1000,        1000000000,  1000000100,  2147483000,
                               INT32_MAX, -2147483648, -1000000000, -5,          0};
  for (KeyState keys : {KeyState::Up, KeyState::Pressed, KeyState::Held, KeyState::Pressed, KeyState::Up}) {
    std::istringstream in(HostileChart);
    NoteList = ReadChartSection(in, Medium);
    ResetPlayState();
    PopupList.clear();
    PlayStart = 12345;
    for (int64_t at : positions) {
      PlayFrameAt(at, keys);
      PlayFrameAt(at + 16, keys == KeyState::Pressed ? KeyState::Held : keys);
    }
    int judged = BooCount + GoodCount + PerfectCount;
    EXPECT_EQ(judged + static_cast<int>(NoteList.size()), 12) << "a note was judged twice or lost";
    int score = ScorePercent(YourPoints(), MaxPoints());
    EXPECT_GE(score, 0);
    EXPECT_LE(score, 100);
  }
}

TEST_F(BadCharts, HostileChartPlaysToTheEndOfRealMusic) {
  OpenMixer mixer;
  ASSERT_TRUE(mixer.open);
  ASSERT_TRUE(MakeToneMp3("Music/Edge.mp3", 1.0)) << "sox and lame are needed to make the song";
  WriteTextFile("Music/Edge.mp3.tq", HostileChart);
  FolderContents before = ReadFolder("Music");
  ASSERT_TRUE(ChooseSong("Edge.mp3"));
  EnterScreen(ScreenId::DifficultySelect);
  ClickInScreen(320, 95);  // "play medium", the only row
  ASSERT_EQ(Screen, ScreenId::SongStart);
  LastTicks = SDL_GetTicks();
  PacedFrame();
  ASSERT_EQ(Screen, ScreenId::Play);
  // Mash every arrow: down one frame, held the next, up the third.
  for (int frame = 0; Screen == ScreenId::Play && frame < 1000; ++frame) {
    for (int key : ColumnKeys) QueueKey(key, frame % 3 == 0);
    PacedFrame();
  }
  ASSERT_EQ(Screen, ScreenId::Results);
  PacedFrame();
  int score = ScorePercent(YourPoints(), MaxPoints());
  EXPECT_GE(score, 0);
  EXPECT_LE(score, 100);
  EXPECT_EQ(ReadTextFile("Music/Edge.mp3.score"), "-1\n-1\n" + std::to_string(score) + "\n-1\n-1\n");
  FolderContents after = ReadFolder("Music");
  after.erase("Edge.mp3.score");
  EXPECT_EQ(after, before);
}

}  // namespace
