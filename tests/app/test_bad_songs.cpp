// Songs that are not music: a folder named like an MP3, an empty MP3 and a
// text file named .mp3. Each is chosen like a song; the song start finds that
// it cannot be played and the difficulty select says so in one line: no play,
// no score, and the folder keeps everything it held.
#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "charts/library.h"
#include "game/play_state.h"
#include "game/song_start.h"
#include "kit/clock.h"
#include "kit/pause.h"
#include "kit/pause_pixels.h"
#include "app/app_support.h"
#include "screens/difficulty_select.h"
#include "screens/results.h"
#include "screens/screen_state.h"
#include "test_support.h"

namespace {

namespace fs = std::filesystem;

const std::string Chart = "<starteasy>\n0\n2000\n0\n----\n3\n2500\n300\n----\n<stop>\n";

struct BadSongs : testing::Test {
  ScratchFolder scratch;

  void SetUp() override {
    OpenTestScreen();
    ResetGame();
  }
  void TearDown() override { ResetGame(); }

  // Chooses the song and "play easy": back on the difficulty select at once,
  // with the line, no music, no score file; the line goes with the screen.
  static void ExpectCannotPlay(const std::string& song) {
    EXPECT_TRUE(ChooseSong(song));
    EnterScreen(ScreenId::DifficultySelect);
    EXPECT_TRUE(ChartHasDifficulty[Easy]);
    ClickInScreen(320, 95);  // "play easy"
    EXPECT_EQ(Screen, ScreenId::SongStart);
    PacedFrame();  // the song start
    EXPECT_EQ(Screen, ScreenId::DifficultySelect);
    EXPECT_TRUE(MusicProblem.starts_with("cannot play " + song + ": ")) << MusicProblem;
    EXPECT_EQ(CurrentMusic, nullptr);
    PacedFrame();
    EXPECT_FALSE(fs::exists("Music/" + song + ".score")) << "no play, no score";
    ClickInScreen(550, 435);  // Back
    EXPECT_EQ(Screen, ScreenId::SongSelect);
    EXPECT_TRUE(MusicProblem.empty());
  }
};

// Each is left as it was, and so is its chart.
TEST_F(BadSongs, AFolderAnEmptyFileAndTextNamedLikeSongsCannotBePlayed) {
  OpenMixer mixer;
  ASSERT_TRUE(mixer.open);
  std::string text;
  for (int i = 0; i < 200; ++i) text += "These are the words of a song, not its music. ";
  WriteTextFile("Music/x.mp3/inside.txt", "kept");
  WriteTextFile("Music/Empty.mp3", "");
  WriteTextFile("Music/Lyrics.mp3", text);
  for (const char* song : {"x.mp3", "Empty.mp3", "Lyrics.mp3"}) WriteTextFile(MusicPath(song) + ".tq", Chart);
  FolderContents before = ReadFolder("Music");
  for (const char* song : {"x.mp3", "Empty.mp3", "Lyrics.mp3"}) ExpectCannotPlay(song);
  EXPECT_EQ(ReadFolder("Music"), before);
  EXPECT_TRUE(fs::is_directory("Music/x.mp3"));
}

TEST_F(BadSongs, WithoutAnAudioDeviceEverySongCannotBePlayed) {
  int frequency = 0, channels = 0;
  Uint16 format = 0;
  if (Mix_QuerySpec(&frequency, &format, &channels) != 0) GTEST_SKIP() << "the mixer is open elsewhere";
  ASSERT_TRUE(MakeToneMp3("Music/Real.mp3", 0.5)) << "sox and lame are needed to make the song";
  WriteTextFile("Music/Real.mp3.tq", Chart);
  ExpectCannotPlay("Real.mp3");  // the mixer refuses to start it
}

}  // namespace
