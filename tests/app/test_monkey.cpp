// A player who clicks anywhere and mashes every key: thousands of frames of
// random input through the real frame, with the shipped pictures, over a
// Music/ folder of a real song and of songs and step files that are not what
// their names say. The game never faults, its state stays within bounds, the
// player's files stay as they were and nothing half-written is left behind.
#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "app/main_loop.h"
#include "charts/generator.h"
#include "charts/library.h"
#include "charts/step_import.h"
#include "game/click_track.h"
#include "game/play_state.h"
#include "game/song_start.h"
#include "kit/clock.h"
#include "kit/input.h"
#include "kit/pause.h"
#include "kit/pause_pixels.h"
#include "app/app_support.h"
#include "screens/chart_create.h"
#include "screens/chart_import.h"
#include "screens/options.h"
#include "screens/screen_state.h"
#include "screens/song_select.h"
#include "test_support.h"

namespace {

namespace fs = std::filesystem;

constexpr int EscapeKey = 27;
constexpr int Frames = 2500;

// Where the buttons of all screens are, so that random clicks often land on one.
const std::vector<SDL_Rect> HotSpots = [] {
  std::vector<SDL_Rect> spots;
  for (int r = 0; r < 8; ++r) spots.push_back({320, static_cast<Sint16>(95 + 40 * r), 0, 0});
  for (int y : {55, 175, 215, 255, 335, 375}) spots.push_back({320, static_cast<Sint16>(y), 0, 0});
  for (int y : {135, 215, 295}) {
    spots.push_back({103, static_cast<Sint16>(y), 0, 0});
    spots.push_back({537, static_cast<Sint16>(y), 0, 0});
  }
  spots.push_back({550, 435, 0, 0});  // "Back"
  spots.push_back({320, 115, 0, 0});  // "Resume game" once the pause is in
  return spots;
}();

void QueueClick(Uint8 type) {
  SDL_Event event{};
  event.type = type;
  event.button.type = type;
  event.button.button = SDL_BUTTON_LEFT;
  SDL_PushEvent(&event);
}

TEST(Monkey, ThousandsOfRandomFramesKeepTheGameAndTheFilesWhole) {
  ScratchFolder scratch;
  OpenTestScreen();
  OpenMixer mixer;
  ASSERT_TRUE(mixer.open);
  fs::create_directory("Music");
  ASSERT_TRUE(MakeToneMp3("Music/Tone.mp3", 0.8)) << "sox and lame are needed to make the song";
  WriteTextFile("Music/Tone.mp3.tq", "<starteasy>\n0 100 0 ----\n1 300 200 ----\n2 -50 0 ----\n<stop>\n"
                                     "<startchallenge>\n7 200 0 ----\n3 2147483647 -5 ----\n<stop>\n");
  WriteTextFile("Music/Empty.mp3", "");
  WriteTextFile("Music/Lyrics.mp3", "la la la");
  fs::create_directory("Music/Folder.mp3");
  WriteTextFile("Music/Steps.sm", "#BPMS:0=150;\n#NOTES:\n dance-single:\n :\n Medium:\n 1:\n 0:\n"
                                  "1000\n0200\n0030\n0001\n,\n1111\n;\n");
  WriteTextFile("Music/Noise.sm", std::string("\x00\xff#BPMS:\n\r\r\n,;,\n", 17));
  fs::create_directory_symlink(fs::path(ZEDOV_SOURCE_DIR) / "Media", "Media");
  const std::vector<std::string> kept = {"Tone.mp3", "Empty.mp3", "Lyrics.mp3", "Steps.sm", "Noise.sm"};
  FolderContents before = ReadFolder("Music");

  RealMedia media;
  ResetGame();
  ImportListScroll = 0;
  const double savedBpm = CreateBpm;
  const int savedDelay = CreateDelayMs, savedBeats = CreateBeats;

  std::mt19937 random(20261208);
  std::map<int, int> visits;
  bool buttonDown = false;
  int keyDown = -1, quits = 0;
  for (int frame = 0; frame < Frames; ++frame) {
    if (buttonDown) {
      QueueClick(SDL_MOUSEBUTTONUP);
      buttonDown = false;
    } else if (random() % 100 < 35) {
      const SDL_Rect& spot = HotSpots[random() % HotSpots.size()];
      bool anywhere = random() % 5 == 0;
      int x = anywhere ? static_cast<int>(random() % 640) : spot.x;
      int y = anywhere ? static_cast<int>(random() % 480) : spot.y;
      MovePointer(x, y);
      QueueClick(SDL_MOUSEBUTTONDOWN);
      buttonDown = true;
    }
    if (keyDown >= 0 && random() % 3 == 0) {
      QueueKey(keyDown, false);
      keyDown = -1;
    } else if (keyDown < 0 && random() % 100 < 30) {
      keyDown = random() % 50 == 0 ? EscapeKey : 273 + static_cast<int>(random() % 4);
      QueueKey(keyDown, true);
    }
    RunFrame();
    ++visits[static_cast<int>(Screen)];
    if (QuitRequested) {  // "Exit" in the pause: count it and play on
      ++quits;
      QuitRequested = false;
    }
    // The game's state stays within what the screens can show.
    ASSERT_TRUE(Screen >= ScreenId::Title && Screen <= ScreenId::Calibration)
        << static_cast<int>(Screen);
    ASSERT_GE(PauseLevel, 0.0);
    ASSERT_LE(PauseLevel, 100.0);
    ASSERT_LE(NoteList.size(), static_cast<size_t>(MostRecordsRead));
    SDL_Delay(1);
  }
  ResetGame();
  CreateBpm = savedBpm;
  CreateDelayMs = savedDelay;
  CreateBeats = savedBeats;
  StopClicks();
  PlayerSettings = Settings{};  // the options screen may have rebound keys or scaled the window
  UseSettings(PlayerSettings);
  OpenTestScreen();

  std::string seen;
  for (const auto& [screen, count] : visits) seen += std::to_string(screen) + ":" + std::to_string(count) + " ";
  RecordProperty("screens", seen);
  std::printf("frames per screen %s, exits %d\n", seen.c_str(), quits);

  // The player's songs and step files are as they were; only charts and
  // high-score files were made, and no temporary file is left.
  FolderContents after = ReadFolder("Music");
  for (const std::string& name : kept) EXPECT_EQ(after[name], before[name]) << name;
  for (const auto& [name, bytes] : after)
    EXPECT_TRUE(before.count(name) || name.ends_with(".tq") || name.ends_with(".score")) << name;
  EXPECT_TRUE(fs::is_directory("Music/Folder.mp3"));
}

}  // namespace
