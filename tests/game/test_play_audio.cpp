// The play screen against real music: a 1.5 s MP3 made at run time, played by
// SDL_mixer through the dummy audio driver, which consumes it in real time.
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "app/screen_state.h"
#include "game/play.h"
#include "game/play_helpers.h"
#include "screens/results.h"

namespace {

namespace fs = std::filesystem;

fs::path SongMp3;  // made once for the suite

struct PlayWithMusic : testing::Test {
  static void SetUpTestSuite() {
    OpenTestScreen();
    fs::path folder = fs::temp_directory_path() / ("zedov-audio-" + std::to_string(getpid()));
    fs::create_directories(folder);
    SongMp3 = folder / "tone.mp3";
    std::string wav = (folder / "tone.wav").string();
    std::string make = "sox -n -r 44100 -c 2 '" + wav + "' synth 1.5 sine 440 && lame --quiet '" + wav +
                       "' '" + SongMp3.string() + "'";
    if (std::system(make.c_str()) != 0) SongMp3.clear();
    Mix_OpenAudio(44100, MIX_DEFAULT_FORMAT, 2, 1024);
  }

  static void TearDownTestSuite() {
    Mix_CloseAudio();
    std::error_code ignored;
    if (!SongMp3.empty()) fs::remove_all(SongMp3.parent_path(), ignored);
  }

  void SetUp() override {
    ASSERT_FALSE(SongMp3.empty()) << "sox and lame are needed to make the test song";
    ResetPlay();
    InstallTestSheets();
    fs::create_directory("Music");
    fs::copy_file(SongMp3, "Music/Tone.mp3");
    WriteTextFile("Music/Tone.mp3.tq", "<startmedium>\n0 300 0 ----\n1 600 0 ----\n2 900 0 ----\n3 1200 0 ----\n<stop>\n");
    SelectedSong = "Tone.mp3";
    SelectedDifficulty = Medium;
    for (int& best : BestScores) best = 0;
    GameClockMs = 0;
    LastTicks = SDL_GetTicks();
    Screen = SongStart;
    StartSong();
  }

  void TearDown() override {
    if (CurrentMusic != nullptr) Mix_FreeMusic(CurrentMusic);
    CurrentMusic = nullptr;
  }

  // Presses a column's key in the frame that should bring its next note to
  // within a few milliseconds, as a player in time would.
  static void PlayInTime() {
    for (int c = 0; c < 4; ++c) {
      bool due = false;
      for (const Note& note : NoteList) due = due || (note.column == c && std::abs(note.time - SongPosition - 16) <= 20);
      KeyStates[ColumnKeys[c]] = due ? Pressed : Up;
    }
  }

  // One play frame as the main loop runs it: the screen, then the game clock's step.
  static void Frame() {
    RunPlayScreen();
    uint32_t now = SDL_GetTicks();
    GameClockMs += static_cast<int32_t>(now - LastTicks);
    LastTicks = now;
    SDL_Delay(16);
  }

  // Frames until the screen changes or the time runs out; returns the real time taken.
  static uint32_t PlayUntilLeft(uint32_t limitMs) {
    uint32_t start = SDL_GetTicks();
    while (Screen == Play && SDL_GetTicks() - start < limitMs) {
      PlayInTime();
      Frame();
    }
    return SDL_GetTicks() - start;
  }

  ScratchFolder scratch;
};

TEST_F(PlayWithMusic, SongEndsByItselfAndTheResultsFollow) {
  ASSERT_NE(CurrentMusic, nullptr);
  ASSERT_EQ(Mix_PlayingMusic(), 1);
  uint32_t took = PlayUntilLeft(6000);
  EXPECT_EQ(Screen, Results);
  EXPECT_GE(took, 1300u);
  EXPECT_GE(SongPosition, 1300);
  EXPECT_EQ(CurrentMusic, nullptr);
  EXPECT_EQ(Mix_PlayingMusic(), 0);
  EXPECT_EQ(PerfectCount + GoodCount, 4);
  EXPECT_GE(PerfectCount, 3);
  EXPECT_EQ(LongestCombo, 4);
  ScreenChanged = true;
  RunResults();
  EXPECT_EQ(ReadTextFile("Music/Tone.mp3.score"), "0\n0\n" + std::to_string(BestScores[Medium]) + "\n0\n0\n");
  EXPECT_GE(BestScores[Medium], 90);
}

// While the pause is up no screen runs and the game clock stands still; the
// music stays paused, still counts as playing, and both go on together.
TEST_F(PlayWithMusic, PausingDoesNotEndTheSong) {
  PlayUntilLeft(300);
  KeyStates[27] = Pressed;
  Frame();
  EXPECT_EQ(Mix_PausedMusic(), 1);
  int32_t pausedAt = SongPosition;
  SDL_Delay(2000);  // longer than the rest of the song
  EXPECT_EQ(Mix_PlayingMusic(), 1);
  EXPECT_EQ(Mix_PausedMusic(), 1);
  LastTicks = SDL_GetTicks();  // the clock did not run while paused
  KeyStates[27] = Up;
  RunPlayScreen();
  EXPECT_EQ(Screen, Play);
  EXPECT_EQ(Mix_PausedMusic(), 0);
  EXPECT_LE(SongPosition - pausedAt, 40);
  PlayUntilLeft(6000);
  EXPECT_EQ(Screen, Results);
  EXPECT_GE(SongPosition, 1300);
  EXPECT_LE(SongPosition, 2300);  // the song clock kept in step with the music
}

TEST_F(PlayWithMusic, BackStopsTheMusic) {
  PlayUntilLeft(200);
  ASSERT_EQ(Screen, Play);
  ResetInput(550, 435);
  MouseButtons[1] = Pressed;
  RunPlayScreen();
  EXPECT_EQ(Screen, DifficultySelect);
  EXPECT_EQ(CurrentMusic, nullptr);
  EXPECT_EQ(Mix_PlayingMusic(), 0);
  EXPECT_FALSE(fs::exists("Music/Tone.mp3.score"));
}

}  // namespace
