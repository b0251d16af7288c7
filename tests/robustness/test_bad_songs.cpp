// Songs that are not music: a folder named like an MP3, an empty MP3 and a
// text file named .mp3. Each is chosen and played like a song; it ends at
// once with results of zeros, and the folder keeps everything it held.
#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "game/play_state.h"
#include "game/song_start.h"
#include "kit/clock.h"
#include "kit/pause.h"
#include "kit/pause_pixels.h"
#include "robustness/robustness_support.h"
#include "screens/difficulty_select.h"
#include "screens/results.h"
#include "screens/screen_state.h"
#include "test_support.h"

namespace {

namespace fs = std::filesystem;

// The mixer may take the file for an MP3 and start it; its own thread then
// finds nothing to decode and stops. The play screen sees that within a frame
// or two; a player sees the results at once.
constexpr int AtOnce = 10;

const std::string Chart = "<starteasy>\n0\n2000\n0\n----\n3\n2500\n300\n----\n<stop>\n";

struct BadSongs : testing::Test {
  ScratchFolder scratch;

  void SetUp() override {
    OpenTestScreen();
    PauseWanted = false;
    PauseLevel = 0.0;
    LastTicks = SDL_GetTicks();
  }
  void TearDown() override {
    if (CurrentMusic != nullptr) Mix_FreeMusic(CurrentMusic);
    CurrentMusic = nullptr;
    NoteList.clear();
    PopupList.clear();
    Screen = Title;
  }

  // Chooses the song and "play easy", then runs real frames until the play
  // screen is left; returns how many play frames it took.
  static int PlayToTheEnd(const std::string& song) {
    EXPECT_TRUE(ChooseSong(song));
    EnterScreen(DifficultySelect);
    EXPECT_TRUE(ChartHasDifficulty[Easy]);
    ClickInScreen(320, 95);  // "play easy"
    EXPECT_EQ(Screen, SongStart);
    PacedFrame();  // the song start
    EXPECT_EQ(Screen, Play);
    int frames = 0;
    while (Screen == Play && frames < 300) {
      PacedFrame();
      ++frames;
    }
    return frames;
  }

  static void ExpectResultsOfZeros(const std::string& song) {
    ASSERT_EQ(Screen, Results);
    PacedFrame();  // the results' first frame writes the high-score file
    EXPECT_EQ(BooCount + GoodCount + PerfectCount + LongestCombo, 0);
    EXPECT_EQ(ScorePercent(YourPoints(), MaxPoints()), 0);
    EXPECT_EQ(NoteList.size(), 2u) << "the chart was read and nothing judged";
    EXPECT_EQ(CurrentMusic, nullptr);
    EXPECT_EQ(ReadTextFile("Music/" + song + ".score"), "0\n0\n0\n0\n0\n");
    ClickAt(550, 435);
    EXPECT_EQ(Screen, DifficultySelect);
  }
};

TEST_F(BadSongs, AFolderNamedLikeASongEndsAtOnce) {
  OpenMixer mixer;
  ASSERT_TRUE(mixer.open);
  WriteTextFile("Music/x.mp3/inside.txt", "kept");
  WriteTextFile("Music/x.mp3.tq", Chart);
  EXPECT_LE(PlayToTheEnd("x.mp3"), AtOnce);
  ExpectResultsOfZeros("x.mp3");
  EXPECT_TRUE(fs::is_directory("Music/x.mp3"));
  EXPECT_EQ(ReadTextFile("Music/x.mp3/inside.txt"), "kept");
  EXPECT_EQ(ReadTextFile("Music/x.mp3.tq"), Chart);
}

TEST_F(BadSongs, AnEmptyMp3EndsAtOnce) {
  OpenMixer mixer;
  ASSERT_TRUE(mixer.open);
  WriteTextFile("Music/Empty.mp3", "");
  WriteTextFile("Music/Empty.mp3.tq", Chart);
  EXPECT_LE(PlayToTheEnd("Empty.mp3"), AtOnce);
  ExpectResultsOfZeros("Empty.mp3");
  EXPECT_EQ(fs::file_size("Music/Empty.mp3"), 0u);
  EXPECT_EQ(ReadTextFile("Music/Empty.mp3.tq"), Chart);
}

TEST_F(BadSongs, ATextFileNamedMp3EndsAtOnce) {
  OpenMixer mixer;
  ASSERT_TRUE(mixer.open);
  std::string text;
  for (int i = 0; i < 200; ++i) text += "These are the words of a song, not its music. ";
  WriteTextFile("Music/Lyrics.mp3", text);
  WriteTextFile("Music/Lyrics.mp3.tq", Chart);
  EXPECT_LE(PlayToTheEnd("Lyrics.mp3"), AtOnce);
  ExpectResultsOfZeros("Lyrics.mp3");
  EXPECT_EQ(ReadTextFile("Music/Lyrics.mp3"), text);
}

TEST_F(BadSongs, WithoutAnAudioDeviceEverySongEndsAtOnce) {
  int frequency = 0, channels = 0;
  Uint16 format = 0;
  if (Mix_QuerySpec(&frequency, &format, &channels) != 0) GTEST_SKIP() << "the mixer is open elsewhere";
  ASSERT_TRUE(MakeToneMp3("Music/Real.mp3", 0.5)) << "sox and lame are needed to make the song";
  WriteTextFile("Music/Real.mp3.tq", Chart);
  EXPECT_EQ(PlayToTheEnd("Real.mp3"), 1);  // nothing plays: the first play frame sees it
  ExpectResultsOfZeros("Real.mp3");
}

}  // namespace
