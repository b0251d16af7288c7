// The road of one song, driven through the real frame function with the real
// media, as a player would drive it: title, "Play", the song, "play medium",
// the music played to its end in real time with the arrows pressed at their
// notes and one pause on the way, the results, and "Back" up to the title.
// It runs headless under the dummy video and audio drivers, so the sanitizer
// build watches every line of the game that one song touches.
#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "app/main_loop.h"
#include "charts/library.h"
#include "game/judgement.h"
#include "game/media.h"
#include "game/play_state.h"
#include "game/song_start.h"
#include "kit/clock.h"
#include "kit/images.h"
#include "kit/input.h"
#include "kit/pause.h"
#include "kit/pause_pixels.h"
#include "app/app_support.h"
#include "screens/chart_create.h"
#include "screens/difficulty_select.h"
#include "screens/results.h"
#include "screens/screen_state.h"
#include "screens/song_select.h"
#include "test_support.h"

namespace {

namespace fs = std::filesystem;

constexpr int EscapeKey = SDLK_ESCAPE;

// The five numbers of a high-score file.
std::vector<int> ScoreLines(const std::string& text) {
  std::istringstream in(text);
  std::vector<int> values;
  for (int v; in >> v;) values.push_back(v);
  return values;
}

// Each column's key goes down in the frame that brings its note closest and is
// let go three frames later; held counts those frames per column.
void PressArrowsAtTheirNotes(int held[4]) {
  for (int c = 0; c < 4; ++c) {
    if (held[c] > 0 && --held[c] == 0) QueueKey(BoundKeys[c], false);
    for (const Note& note : NoteList)
      if (note.column == c && held[c] == 0 && std::abs(note.time - SongPosition - 8) <= 12) {
        QueueKey(BoundKeys[c], true);
        held[c] = 3;
      }
  }
}

struct SongRoad : testing::Test {
  ScratchFolder scratch;

  void SetUp() override {
    OpenTestScreen();
    ResetGame();
  }
  void TearDown() override { ResetGame(); }
};

TEST_F(SongRoad, OneSongFromTheTitleToItsResultsAndBack) {
  OpenMixer mixer;
  ASSERT_TRUE(mixer.open) << "no audio device under the dummy driver";
  fs::create_directory("Music");
  ASSERT_TRUE(MakeToneMp3("Music/Tone.mp3", 2.0)) << "sox and lame are needed to make the song";
  fs::create_directory_symlink(fs::path(ZEDOV_SOURCE_DIR) / "Media", "Media");
  const std::string chart =
      "<startmedium>\n0\n400\n0\n----\n1\n800\n0\n----\n2\n1200\n0\n----\n3\n1500\n0\n----\n<stop>\n";
  WriteTextFile("Music/Tone.mp3.tq", chart);
  WriteTextFile("Music/Tone.mp3.score", "11\n22\n0\n44\n55\n");
  WriteTextFile("Music/notes.txt", "not a song");
  FolderContents before = ReadFolder("Music");

  RealMedia media;
  ASSERT_NE(GameBackground, nullptr);
  ASSERT_NE(FontImage, nullptr);

  PacedFrame();  // the title as the game opens on it
  ClickAt(320, 215);  // "Play"
  ASSERT_EQ(Screen, ScreenId::SongSelect);
  ASSERT_EQ(SongList.size(), 4u);  // the song, its chart and score, notes.txt
  ClickAt(320, 95);  // the first song row
  ASSERT_EQ(Screen, ScreenId::DifficultySelect);
  EXPECT_EQ(SelectedSong, "Tone.mp3");
  EXPECT_TRUE(ChartHasDifficulty[Medium]);
  EXPECT_FALSE(ChartHasDifficulty[Easy]);
  EXPECT_EQ(BestScores[Hard], 44);

  ClickAt(320, 95);  // "play medium", the only row
  ASSERT_EQ(Screen, ScreenId::Play);
  ASSERT_EQ(NoteList.size(), 4u);
  ASSERT_TRUE(Mix_PlayingMusic());

  // Play: each arrow key goes down in the frame that brings its note closest.
  bool paused = false, pausedMusicSeen = false;
  uint32_t startedAt = SDL_GetTicks();
  int held[4] = {0, 0, 0, 0};
  while (Screen == ScreenId::Play && SDL_GetTicks() - startedAt < 30000) {
    PressArrowsAtTheirNotes(held);
    // Halfway through, Escape pauses; once the overlay is up, Escape again resumes.
    if (!paused && SongPosition > 1000) {
      QueueKey(EscapeKey, true);
      PacedFrame();
      QueueKey(EscapeKey, false);
      while (PauseLevel < 100.0 && SDL_GetTicks() - startedAt < 30000) PacedFrame();
      pausedMusicSeen = Mix_PausedMusic() != 0;
      int32_t stoodAt = SongPosition;
      uint32_t pausedAt = SDL_GetTicks();
      QueueKey(EscapeKey, true);
      PacedFrame();
      QueueKey(EscapeKey, false);
      while (PauseLevel > 0.0 && SDL_GetTicks() - startedAt < 30000) PacedFrame();
      PacedFrame();  // the play screen runs again and resumes the music
      EXPECT_GT(SDL_GetTicks() - pausedAt, 500u);
      EXPECT_LT(SongPosition - stoodAt, 250) << "the song went on while paused";
      EXPECT_TRUE(Mix_PlayingMusic() && !Mix_PausedMusic());
      paused = true;
      continue;
    }
    PacedFrame();
  }
  ASSERT_EQ(Screen, ScreenId::Results) << "the song did not end within 30 s";
  EXPECT_TRUE(paused);
  EXPECT_TRUE(pausedMusicSeen);
  EXPECT_EQ(CurrentMusic, nullptr);
  PacedFrame();  // the results' first frame: the best is recorded
  EXPECT_EQ(BooCount + GoodCount + PerfectCount, 4) << "every arrow was judged once";
  int score = ScorePercent(YourPoints(), MaxPoints());
  std::vector<int> lines = ScoreLines(ReadTextFile("Music/Tone.mp3.score"));
  EXPECT_EQ(lines, (std::vector<int>{11, 22, score, 44, 55}));

  ClickAt(550, 435);  // "Back" to the difficulty select, which rereads the file
  ASSERT_EQ(Screen, ScreenId::DifficultySelect);
  EXPECT_EQ(BestScores[Medium], score);
  ClickAt(550, 435);  // "Back" to the song select
  ASSERT_EQ(Screen, ScreenId::SongSelect);
  ClickAt(550, 435);  // "Back" to the title
  ASSERT_EQ(Screen, ScreenId::Title);
  EXPECT_FALSE(QuitRequested);

  // Only the score file changed; the song and its chart are as they were.
  FolderContents after = ReadFolder("Music");
  before["Tone.mp3.score"] = after["Tone.mp3.score"];
  EXPECT_EQ(after, before);
}

// Packs ship OGG audio: listed beside MP3, charted by the generator, played to the results.
TEST_F(SongRoad, AnOggSongGetsAGeneratedChartAndPlaysToItsResults) {
  OpenMixer mixer;
  ASSERT_TRUE(mixer.open) << "no audio device under the dummy driver";
  fs::create_directory("Music");
  ASSERT_EQ(std::system("sox -q -n -r 44100 -c 2 Music/Tune.ogg synth 2.5 sine 330 vol 0.3 2>/dev/null"), 0);
  fs::create_directory_symlink(fs::path(ZEDOV_SOURCE_DIR) / "Media", "Media");
  RealMedia media;

  PacedFrame();
  ClickAt(320, 215);  // "Play"
  ClickAt(320, 95);   // the only song
  ASSERT_EQ(Screen, ScreenId::DifficultySelect);
  EXPECT_EQ(SelectedSong, "Tune.ogg");
  ClickAt(320, 95);  // "create new step chart", with no chart yet
  ASSERT_EQ(Screen, ScreenId::ChartCreate);
  CreateBpm = 120, CreateDelayMs = 400, CreateBeats = 3;
  ClickAt(320, 375);  // "Accept"
  ASSERT_EQ(Screen, ScreenId::DifficultySelect);
  ASSERT_TRUE(ChartHasDifficulty[Medium]);
  ClickAt(320, 175);  // "play medium", the third row
  ASSERT_EQ(Screen, ScreenId::Play);
  ASSERT_NE(CurrentMusic, nullptr) << "the OGG song did not load";
  ASSERT_EQ(NoteList.size(), 3u);
  uint32_t startedAt = SDL_GetTicks();
  int held[4] = {0, 0, 0, 0};
  while (Screen == ScreenId::Play && SDL_GetTicks() - startedAt < 30000) {
    PressArrowsAtTheirNotes(held);
    PacedFrame();
  }
  ASSERT_EQ(Screen, ScreenId::Results) << "the song did not end within 30 s";
  PacedFrame();  // the results' first frame writes the best
  EXPECT_EQ(BooCount + GoodCount + PerfectCount, 3);
  EXPECT_EQ(BooCount, 0);
  std::vector<int> lines = ScoreLines(ReadTextFile("Music/Tune.ogg.score"));
  EXPECT_EQ(lines, (std::vector<int>{-1, -1, ScorePercent(YourPoints(), MaxPoints()), -1, -1}));
  EXPECT_TRUE(fs::is_regular_file("Music/Tune.ogg.tq"));
}

}  // namespace
