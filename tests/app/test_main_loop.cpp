// The frame: the dispatcher, the pause gate, the quit, and a start without a display.
#include <gtest/gtest.h>

#include <SDL_mixer.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/main_loop.h"
#include "game/play_state.h"
#include "kit/button_list.h"
#include "kit/clock.h"
#include "kit/focus.h"
#include "kit/input.h"
#include "kit/pause.h"
#include "kit/pause_pixels.h"
#include "app/app_support.h"
#include "screens/screen_state.h"
#include "test_support.h"

namespace {

class DispatcherTest : public testing::Test {
 protected:
  void SetUp() override {
    OpenTestScreen();
    ResetInput();
    Screen = ScreenId::Title;
    ScreenChanged = false;
    PauseLevel = 0.0;
  }
  void Click(int x, int y) {
    ResetInput(x, y);
    MouseButtons[1] = KeyState::Pressed;
  }
};

TEST_F(DispatcherTest, ScreenChangedMarksOnlyTheFirstFrameOfANewScreen) {
  RunDispatcher();
  EXPECT_EQ(Screen, ScreenId::Title);
  EXPECT_FALSE(ScreenChanged);
  Click(320, 255);  // "Credits"
  RunDispatcher();
  EXPECT_EQ(Screen, ScreenId::Credits);
  EXPECT_TRUE(ScreenChanged);
  ResetInput();
  RunDispatcher();
  EXPECT_EQ(Screen, ScreenId::Credits);
  EXPECT_FALSE(ScreenChanged);
}

TEST_F(DispatcherTest, AScreenLeftInItsFirstFrameHandsTheFlagOn) {
  Click(320, 255);
  RunDispatcher();  // Title -> Credits
  Click(550, 435);  // "Back" in the credits' first frame
  RunDispatcher();
  EXPECT_EQ(Screen, ScreenId::Title);
  EXPECT_TRUE(ScreenChanged);
}

TEST_F(DispatcherTest, NoScreenRunsWhileTheOverlayIsAboveZero) {
  ScreenChanged = true;
  PauseLevel = 0.4;
  Click(320, 255);
  RunFrame();
  EXPECT_EQ(Screen, ScreenId::Title);
  EXPECT_TRUE(ScreenChanged);  // kept for the first frame after the overlay closes
  PauseLevel = 0.0;
  PauseWanted = false;
}

void Tap(int key) {
  for (Uint8 type : {SDL_KEYDOWN, SDL_KEYUP}) {
    SDL_Event event{};
    event.type = type;
    event.key.type = type;
    event.key.keysym.sym = static_cast<SDLKey>(key);
    SDL_PushEvent(&event);
  }
}

// Whole frames driven by tapped keys alone: the menus, the play screen and the pause.
TEST_F(DispatcherTest, KeysWalkTheMenusAndThePauseButNotThePlayScreen) {
  ScratchFolder scratch;
  ClearFocus();
  RunFrame();
  Tap(SDLK_DOWN);
  RunFrame();
  EXPECT_EQ(FocusIndex, 0);  // "Play"
  Tap(SDLK_RETURN);
  RunFrame();
  EXPECT_EQ(Screen, ScreenId::SongSelect);
  EXPECT_EQ(FocusIndex, 0) << "a new screen's first button";
  Tap(SDLK_UP);
  RunFrame();
  EXPECT_EQ(FocusIndex, 0) << "an empty song list has only Back";
  // The play screen: Down is a column, and Enter does not press "Back".
  Screen = ScreenId::Play;
  Tap(SDLK_DOWN);
  Tap(SDLK_RETURN);
  RunFrame();
  EXPECT_EQ(FocusIndex, 0) << "the focus stood still";
  EXPECT_EQ(Screen, ScreenId::Results) << "without music the song is over at once, not left by Back";
  // The pause: Up and Down move between "Resume game" and "Exit".
  Tap(SDLK_ESCAPE);
  RunFrame();
  ASSERT_GT(PauseLevel, 0.0);
  Tap(SDLK_DOWN);
  RunFrame();
  EXPECT_EQ(FocusIndex, 1);
  Tap(SDLK_DOWN);
  RunFrame();
  EXPECT_EQ(FocusIndex, 0) << "wrapped round to Resume game";
  Tap(SDLK_UP);
  RunFrame();
  Tap(SDLK_RETURN);
  RunFrame();
  EXPECT_TRUE(QuitRequested);
  QuitRequested = false;
  PauseWanted = false;
  PauseLevel = 0.0;
  ClearFocus();
  Screen = ScreenId::Title;
}

// A song's pause by keys alone: Escape, Down, Enter restarts the chart from
// its start with nothing judged so far; Escape, Down, Down, Enter ("Song
// list") leaves it for the difficulty select, focus on its row, no score.
TEST_F(DispatcherTest, ThePauseOfASongRestartsItOrGoesBackToTheSongList) {
  ScratchFolder scratch;
  OpenMixer mixer;
  ASSERT_TRUE(mixer.open);
  ASSERT_TRUE(MakeToneMp3("Music/Tone.mp3", 3.0)) << "sox and lame make the song";
  WriteTextFile("Music/Tone.mp3.tq", "<starteasy> 0 2500 0 -- <stop> <startmedium> 0 2500 0 -- 1 2600 0 -- <stop>");
  SelectedSong = "Tone.mp3";
  SelectedDifficulty = Medium;
  Screen = ScreenId::SongStart;
  RunFrame();
  ASSERT_EQ(Screen, ScreenId::Play);
  BooCount = PerfectCount = Combo = 2;
  NoteList.pop_back();
  for (int key : {SDLK_ESCAPE, SDLK_DOWN, SDLK_RETURN}) {
    Tap(key);
    RunFrame();
  }
  EXPECT_EQ(Screen, ScreenId::SongStart);
  EXPECT_EQ(PauseLevel, 0.0) << "gone at once";
  RunFrame();
  ASSERT_EQ(Screen, ScreenId::Play);
  EXPECT_EQ(BooCount + PerfectCount + Combo, 0);
  EXPECT_EQ(NoteList.size(), 2u);
  EXPECT_EQ(Mix_PausedMusic(), 0) << "the music plays again from its start";
  EXPECT_LT(SongPosition, 200);
  for (int key : {SDLK_ESCAPE, SDLK_DOWN, SDLK_DOWN, SDLK_RETURN}) {
    Tap(key);
    RunFrame();
  }
  EXPECT_EQ(Screen, ScreenId::DifficultySelect);
  EXPECT_EQ(CurrentMusic, nullptr);
  RunFrame();
  EXPECT_EQ(FocusIndex, 1) << "the medium row";
  EXPECT_FALSE(std::filesystem::exists("Music/Tone.mp3.score"));
  ClearFocus();
  Screen = ScreenId::Title;
}

// A player using the mouse alone: the pause closed by Escape on the results,
// then "Back", "Back" without moving the pointer. Only the button under the
// pointer lights: no chart played, no "Play again", no song row to preview.
TEST_F(DispatcherTest, AMouseOnlyRoadLightsOnlyTheButtonUnderThePointer) {
  ScratchFolder scratch;
  WriteTextFile("Music/Tone.mp3", "");
  WriteTextFile("Music/Tone.mp3.tq", "<starteasy> 0 2500 0 -- <stop> <startmedium> 0 2500 0 -- <stop>");
  SelectedSong = "Tone.mp3";
  SelectedDifficulty = Medium;
  Screen = ScreenId::Results;
  ScreenChanged = true;
  SDL_WarpMouse(550, 435);  // on "Back"
  auto click = [] {
    for (Uint8 type : {SDL_MOUSEBUTTONDOWN, SDL_MOUSEBUTTONUP}) {
      SDL_Event event{};
      event.type = event.button.type = type;
      event.button.button = SDL_BUTTON_LEFT;
      SDL_PushEvent(&event);
    }
  };
  for (int frame = 0; frame < 60; ++frame) {
    if (frame == 1 || frame == 10) Tap(SDLK_ESCAPE);
    RunFrame();
  }
  ASSERT_EQ(PauseLevel, 0.0);
  EXPECT_FALSE(FocusDrawn()) << "the results after the pause";
  for (ScreenId next : {ScreenId::DifficultySelect, ScreenId::SongSelect}) {
    click();
    RunFrame();
    ASSERT_EQ(Screen, next);
    RunFrame();
    EXPECT_FALSE(FocusDrawn()) << static_cast<int>(next);
  }
  EXPECT_EQ(ListLitRow, -1) << "no song row lit, so none previews";
  ClearFocus();
  Screen = ScreenId::Title;
}

TEST_F(DispatcherTest, OtherEventsStayQueuedForTheLoopToDrain) {
  QuitRequested = false;
  SDL_Event drop;
  while (SDL_PeepEvents(&drop, 1, SDL_GETEVENT, SDL_ALLEVENTS) > 0) {
  }
  SDL_Event quit{};
  quit.type = SDL_QUIT;
  SDL_PushEvent(&quit);
  SDL_Event escape{};
  escape.type = escape.key.type = SDL_KEYDOWN;
  escape.key.keysym.sym = SDLK_ESCAPE;
  SDL_PushEvent(&escape);
  UpdateInput();
  EXPECT_EQ(KeyStates[SDLK_ESCAPE], KeyState::Pressed);
  EXPECT_FALSE(QuitRequested);
  DrainEvents();
  EXPECT_TRUE(QuitRequested);
  SDL_Event left;
  EXPECT_EQ(SDL_PeepEvents(&left, 1, SDL_PEEKEVENT, SDL_ALLEVENTS), 0);
  QuitRequested = false;
}

// With no display and no driver named, the game says so and stops before SDL
// starts, instead of drawing itself as text in the terminal.
TEST(StartUpTest, NoDisplayAndNoDriverGiveOneLineAndNoGame) {
  std::string driver = std::getenv("SDL_VIDEODRIVER"), display = std::getenv("DISPLAY") ? std::getenv("DISPLAY") : "";
  unsetenv("SDL_VIDEODRIVER");
  unsetenv("DISPLAY");
  testing::internal::CaptureStderr();
  EXPECT_FALSE(StartUp());
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "Zedov: no display to open the window on (DISPLAY is not set)\n");
  setenv("SDL_VIDEODRIVER", driver.c_str(), 1);
  if (!display.empty()) setenv("DISPLAY", display.c_str(), 1);
}

// The idle game: a still screen is drawn for two quiet frames more, then not
// until something happens; a key held, or the song, draws every frame.
TEST_F(DispatcherTest, AStillScreenIsSkippedAfterTwoQuietFramesUntilSomethingHappens) {
  DrainEvents();
  QuitRequested = PauseWanted = false;
  std::string drawn;
  auto frames = [&](int n) {
    for (int i = 0; i < n; ++i) {
      UpdateInput();
      drawn += FrameWanted() ? 'd' : '-';
    }
    drawn += ' ';
  };
  Tap(SDLK_UP);
  frames(5);
  SDL_Event down{};
  down.type = down.key.type = SDL_KEYDOWN;
  down.key.keysym.sym = SDLK_LEFT;
  SDL_PushEvent(&down);
  frames(4);
  ResetInput();
  frames(4);
  Screen = ScreenId::Play;
  frames(4);
  Screen = ScreenId::SongSelect;  // still until the time it says something is due
  ScreenDueMs = GameClockMs + 1000;
  frames(4);
  ScreenDueMs = GameClockMs;
  frames(1);
  ScreenDueMs = -1;
  EXPECT_EQ(drawn, "ddd-- dddd dd-- dddd ddd- d ");
  Screen = ScreenId::Title;
}

TEST(FramePacingTest, ShortFramesSleepToSixteenMilliseconds) {
  EXPECT_EQ(FrameDelayMs(0), 16u);
  EXPECT_EQ(FrameDelayMs(5), 11u);
  EXPECT_EQ(FrameDelayMs(15), 1u);
  EXPECT_EQ(FrameDelayMs(16), 0u);
  EXPECT_EQ(FrameDelayMs(20), 0u);  // a long frame is not made up later
}

}  // namespace
