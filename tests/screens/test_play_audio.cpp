// The play screen against real music: a 1.5 s MP3 made at run time, played by
// SDL_mixer through the dummy audio driver, which consumes it in real time.
#include <SDL_mixer.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "game/play.h"
#include "game/play_helpers.h"
#include "charts/score_file.h"
#include "game/song_start.h"
#include "screens/results.h"
#include "screens/screen_state.h"

namespace {

std::string Tone = "/tmp/zedov-tone-" + std::to_string(getpid());

struct PlayWithMusic : testing::Test {
  static void SetUpTestSuite() {
    OpenTestScreen();
    std::system(("sox -n -r 44100 -c 2 " + Tone + ".wav synth 1.5 sine 440 && lame --quiet " + Tone +
                 ".wav " + Tone + ".mp3 && rm " + Tone + ".wav")
                    .c_str());
    Mix_OpenAudio(44100, MIX_DEFAULT_FORMAT, 2, 1024);
  }
  static void TearDownTestSuite() {
    Mix_CloseAudio();
    std::remove((Tone + ".mp3").c_str());
  }

  void SetUp() override {
    ResetPlay();
    for (int& best : BestScores) best = 0;
    InstallTestSheets();
    WriteTextFile("Music/Tone.mp3", ReadTextFile(Tone + ".mp3"));
    WriteTextFile("Music/Tone.mp3.tq", "<startmedium> 0 300 0 -- 1 600 0 -- 2 900 0 -- 3 1200 0 -- <stop>");
    SelectedSong = "Tone.mp3";
    SelectedDifficulty = Medium;
    LastTicks = SDL_GetTicks();
    StartSong(SelectedSong, SelectedDifficulty);
    ASSERT_NE(CurrentMusic, nullptr) << "sox and lame make the test song";
  }

  // Frames as the main loop runs them, with the arrow keys pressed in time,
  // until the screen changes or limitMs have passed.
  static PlayOutcome PlayFor(uint32_t limitMs) {
    PlayOutcome outcome = PlayOutcome::Playing;
    for (uint32_t start = SDL_GetTicks(); outcome == PlayOutcome::Playing && SDL_GetTicks() - start < limitMs;) {
      for (int c = 0; c < 4; ++c) KeyStates[ColumnKeys[c]] = KeyState::Up;
      for (const Note& note : NoteList)
        if (note.time - SongPosition <= 36) KeyStates[ColumnKeys[note.column]] = KeyState::Pressed;  // late after a slow frame, never missed
      outcome = RunPlayScreen();
      AdvanceGameClock(false);
      SDL_Delay(16);
    }
    return outcome;
  }

  ScratchFolder scratch;
};

// Paused, no screen runs and the clock stands still; the paused music still
// counts as playing. Resumed, music and notes go on together to the end.
TEST_F(PlayWithMusic, PausedSongGoesOnAndEndsByItselfWithTheResults) {
  PlayFor(300);
  KeyStates[SDLK_ESCAPE] = KeyState::Pressed;
  PlayFor(1);
  EXPECT_EQ(Mix_PausedMusic(), 1);
  SDL_Delay(2000);  // longer than the rest of the song
  EXPECT_EQ(Mix_PlayingMusic(), 1);
  LastTicks = SDL_GetTicks();
  KeyStates[SDLK_ESCAPE] = KeyState::Up;
  EXPECT_EQ(PlayFor(6000), PlayOutcome::Finished);
  EXPECT_GE(SongPosition, 1300);
  EXPECT_LE(SongPosition, 2300);  // not the 2 s of the pause on top
  EXPECT_EQ(CurrentMusic, nullptr);
  EXPECT_EQ(PerfectCount + GoodCount, 4);
  for (int& best : BestScores) best = NeverPlayed;
  ScreenChanged = true;
  RunResults();
  EXPECT_GE(BestScores[Medium], 90);
  EXPECT_EQ(ReadTextFile("Music/Tone.mp3.score"), "-1\n-1\n" + std::to_string(BestScores[Medium]) + "\n-1\n-1\n");
}

// The first note at 300 ms: the music waits, paused, for the rest of its
// arrow's rise (1850 ms) while the song clock counts up from below zero.
TEST_F(PlayWithMusic, AnEarlyFirstNoteStartsTheMusicLater) {
  EXPECT_TRUE(LeadingIn);
  EXPECT_EQ(SongPosition, -1850);
  EXPECT_EQ(Mix_PausedMusic(), 1);
  LastTicks = SDL_GetTicks();
  GameClockMs = PlayStart - 100;
  EXPECT_EQ(TickPlay(false), PlayOutcome::Playing);
  EXPECT_EQ(Mix_PausedMusic(), 1) << "still leading in";
  LastTicks = SDL_GetTicks();
  GameClockMs = PlayStart;
  TickPlay(false);
  EXPECT_FALSE(LeadingIn);
  EXPECT_EQ(Mix_PausedMusic(), 0);
  EXPECT_EQ(Mix_PlayingMusic(), 1);
  EXPECT_GE(SongPosition, -5);
  EXPECT_LE(SongPosition, 20);
}

TEST_F(PlayWithMusic, BackStopsTheMusic) {
  PlayFor(200);
  ResetInput(550, 435);
  MouseButtons[1] = KeyState::Pressed;
  EXPECT_EQ(RunPlayScreen(), PlayOutcome::Abandoned);
  EXPECT_EQ(Mix_PlayingMusic(), 0);
  EXPECT_EQ(CurrentMusic, nullptr);
}

// Ogg or WAV audio in a file named .mp3 goes to the decoder of what it holds
// (by its name SDL_mixer would give it to the MP3 decoder: silence, or worse).
TEST_F(PlayWithMusic, OggAndWavNamedMp3PlayAsWhatTheyHold) {
  for (const char* kind : {"ogg", "wav"}) {
    std::string made = Tone + "." + kind;
    ASSERT_EQ(std::system(("sox -n -r 44100 -b 16 -c 2 " + made + " synth 1 sine 330").c_str()), 0);
    WriteTextFile("Music/Tone.mp3", ReadTextFile(made));
    std::remove(made.c_str());
    EXPECT_TRUE(StartSong(SelectedSong, SelectedDifficulty)) << kind << ": " << MusicProblem;
    EXPECT_TRUE(MusicPlaying()) << kind;
    StopSong();
  }
}

}  // namespace
