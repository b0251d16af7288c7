// The input update: key and button states from SDL events.
#include <gtest/gtest.h>

#include "app/main_loop.h"
#include "app/screen_state.h"
#include "kit/input.h"
#include "test_support.h"

namespace {

void PushKey(Uint8 type, int sym) {
  SDL_Event event{};
  event.type = type;
  event.key.type = type;
  event.key.keysym.sym = static_cast<SDLKey>(sym);
  SDL_PushEvent(&event);
}

void PushButton(Uint8 type, int button) {
  SDL_Event event{};
  event.type = type;
  event.button.type = type;
  event.button.button = static_cast<Uint8>(button);
  SDL_PushEvent(&event);
}

class InputTest : public testing::Test {
 protected:
  void SetUp() override {
    OpenTestScreen();
    SDL_Event drop;
    while (SDL_PeepEvents(&drop, 1, SDL_GETEVENT, SDL_ALLEVENTS) > 0) {
    }
    ResetInput();
    QuitRequested = false;
  }
};

TEST_F(InputTest, KeyFollowsThePressHeldUpCycle) {
  PushKey(SDL_KEYDOWN, SDLK_UP);
  UpdateInput();
  EXPECT_EQ(KeyStates[SDLK_UP], Pressed);
  UpdateInput();
  EXPECT_EQ(KeyStates[SDLK_UP], Held);  // Pressed lasts exactly one frame
  UpdateInput();
  EXPECT_EQ(KeyStates[SDLK_UP], Held);
  PushKey(SDL_KEYUP, SDLK_UP);
  UpdateInput();
  EXPECT_EQ(KeyStates[SDLK_UP], Up);
  UpdateInput();
  EXPECT_EQ(KeyStates[SDLK_UP], Up);
}

TEST_F(InputTest, UpsOfAFrameWinOverItsDowns) {
  // A tap shorter than a frame is never seen.
  PushKey(SDL_KEYDOWN, SDLK_LEFT);
  PushKey(SDL_KEYUP, SDLK_LEFT);
  UpdateInput();
  EXPECT_EQ(KeyStates[SDLK_LEFT], Up);
  // Released and pressed again within one frame: Up although physically down.
  PushKey(SDL_KEYDOWN, SDLK_RIGHT);
  UpdateInput();
  PushKey(SDL_KEYUP, SDLK_RIGHT);
  PushKey(SDL_KEYDOWN, SDLK_RIGHT);
  UpdateInput();
  EXPECT_EQ(KeyStates[SDLK_RIGHT], Up);
  // The same for a mouse click within one frame.
  PushButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT);
  PushButton(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT);
  UpdateInput();
  EXPECT_EQ(MouseButtons[SDL_BUTTON_LEFT], Up);
}

TEST_F(InputTest, OutOfRangeSymbolsAndButtonsAreIgnored) {
  PushKey(SDL_KEYDOWN, 500);
  PushKey(SDL_KEYDOWN, 499);
  PushButton(SDL_MOUSEBUTTONDOWN, 10);
  PushButton(SDL_MOUSEBUTTONDOWN, 3);
  UpdateInput();
  EXPECT_EQ(KeyStates[499], Pressed);
  EXPECT_EQ(MouseButtons[3], Pressed);
  for (int b = 0; b < ButtonCount; ++b)
    if (b != 3) EXPECT_EQ(MouseButtons[b], Up) << b;
  UpdateInput();
  EXPECT_EQ(MouseButtons[3], Held);
}

TEST_F(InputTest, OtherEventsStayQueuedForTheLoopToDrain) {
  SDL_Event quit{};
  quit.type = SDL_QUIT;
  SDL_PushEvent(&quit);
  PushKey(SDL_KEYDOWN, SDLK_ESCAPE);
  UpdateInput();
  EXPECT_EQ(KeyStates[SDLK_ESCAPE], Pressed);
  EXPECT_FALSE(QuitRequested);
  DrainEvents();
  EXPECT_TRUE(QuitRequested);
  SDL_Event left;
  EXPECT_EQ(SDL_PeepEvents(&left, 1, SDL_PEEKEVENT, SDL_ALLEVENTS), 0);
}

TEST(PointerTest, ClampsToTheWindowBoundsInclusive) {
  int x = -5, y = 900;
  ClampPointer(x, y);
  EXPECT_EQ(x, 0);
  EXPECT_EQ(y, 480);
  x = 640, y = 480;
  ClampPointer(x, y);
  EXPECT_EQ(x, 640);
  EXPECT_EQ(y, 480);
  x = 641, y = -1;
  ClampPointer(x, y);
  EXPECT_EQ(x, 640);
  EXPECT_EQ(y, 0);
}

}  // namespace
