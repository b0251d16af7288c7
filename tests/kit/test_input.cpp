// The input update: key and button states from SDL events.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "kit/clock.h"
#include "kit/input.h"
#include "kit/window.h"
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
  }
};

TEST_F(InputTest, KeyFollowsThePressHeldUpCycle) {
  PushKey(SDL_KEYDOWN, SDLK_UP);
  UpdateInput();
  EXPECT_EQ(KeyStates[SDLK_UP], KeyState::Pressed);
  UpdateInput();
  EXPECT_EQ(KeyStates[SDLK_UP], KeyState::Held);  // Pressed lasts exactly one frame
  UpdateInput();
  EXPECT_EQ(KeyStates[SDLK_UP], KeyState::Held);
  PushKey(SDL_KEYUP, SDLK_UP);
  UpdateInput();
  EXPECT_EQ(KeyStates[SDLK_UP], KeyState::Up);
  UpdateInput();
  EXPECT_EQ(KeyStates[SDLK_UP], KeyState::Up);
}

// A tap or a touchpad click whose release comes in the same frame as its press.
TEST_F(InputTest, ATapWithinOneFrameReadsPressedThenUp) {
  PushKey(SDL_KEYDOWN, SDLK_LEFT);
  PushKey(SDL_KEYUP, SDLK_LEFT);
  PushButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT);
  PushButton(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT);
  UpdateInput();
  EXPECT_EQ(KeyStates[SDLK_LEFT], KeyState::Pressed);
  EXPECT_EQ(MouseButtons[SDL_BUTTON_LEFT], KeyState::Pressed);
  UpdateInput();
  EXPECT_EQ(KeyStates[SDLK_LEFT], KeyState::Up);
  EXPECT_EQ(MouseButtons[SDL_BUTTON_LEFT], KeyState::Up);
  // Tapped twice in one frame, then pressed again in the next: Pressed both times.
  PushKey(SDL_KEYDOWN, SDLK_UP);
  PushKey(SDL_KEYUP, SDLK_UP);
  PushKey(SDL_KEYDOWN, SDLK_UP);
  PushKey(SDL_KEYUP, SDLK_UP);
  UpdateInput();
  EXPECT_EQ(KeyStates[SDLK_UP], KeyState::Pressed);
  PushKey(SDL_KEYDOWN, SDLK_UP);
  UpdateInput();
  EXPECT_EQ(KeyStates[SDLK_UP], KeyState::Pressed);
  UpdateInput();
  EXPECT_EQ(KeyStates[SDLK_UP], KeyState::Held);
}

TEST_F(InputTest, ReleasedAndPressedAgainWithinOneFrameIsPressed) {
  PushKey(SDL_KEYDOWN, SDLK_RIGHT);
  PushButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT);
  UpdateInput();
  SDL_Event key{};
  key.key.keysym.sym = SDLK_RIGHT;
  key.type = key.key.type = SDL_KEYUP;
  StampEvent(key, ClockTicks() - 30);  // a finger's release and press, 30 ms apart
  key.type = key.key.type = SDL_KEYDOWN;
  StampEvent(key, ClockTicks());
  PushButton(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT);
  PushButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT);
  UpdateInput();
  EXPECT_EQ(KeyStates[SDLK_RIGHT], KeyState::Pressed);
  EXPECT_EQ(MouseButtons[SDL_BUTTON_LEFT], KeyState::Pressed);
  UpdateInput();
  EXPECT_EQ(KeyStates[SDLK_RIGHT], KeyState::Held);  // physically down
  EXPECT_EQ(MouseButtons[SDL_BUTTON_LEFT], KeyState::Held);
}

void PushHat(int joystick, Uint8 value) {
  SDL_Event event{};
  event.type = SDL_JOYHATMOTION;
  event.jhat = {SDL_JOYHATMOTION, static_cast<Uint8>(joystick), 0, value};
  SDL_PushEvent(&event);
}

void PushAxis(int axis, Sint16 value) {
  SDL_Event event{};
  event.type = SDL_JOYAXISMOTION;
  event.jaxis = {SDL_JOYAXISMOTION, 0, static_cast<Uint8>(axis), value};
  SDL_PushEvent(&event);
}

void PushPadButton(int button, bool down) {
  SDL_Event event{};
  event.type = down ? SDL_JOYBUTTONDOWN : SDL_JOYBUTTONUP;
  event.jbutton = {event.type, 0, static_cast<Uint8>(button), static_cast<Uint8>(down ? SDL_PRESSED : SDL_RELEASED)};
  SDL_PushEvent(&event);
}

std::string Arrows() {
  std::string s;
  for (int key : {SDLK_LEFT, SDLK_DOWN, SDLK_UP, SDLK_RIGHT}) s += "-hP"[static_cast<int>(KeyStates[key])];
  return s;
}

TEST_F(InputTest, AHatAndTheFirstTwoAxesAreTheArrowKeys) {
  PushHat(0, SDL_HAT_LEFTUP);
  UpdateInput();
  EXPECT_EQ(Arrows(), "P-P-");
  PushHat(0, SDL_HAT_LEFT);  // from up-left to left: only up is let go
  UpdateInput();
  EXPECT_EQ(Arrows(), "h---");
  PushHat(0, SDL_HAT_CENTERED);
  PushHat(1, SDL_HAT_RIGHTDOWN);  // a second pad
  UpdateInput();
  EXPECT_EQ(Arrows(), "-P-P");
  PushHat(1, SDL_HAT_CENTERED);
  PushAxis(0, -16385);  // beyond half the range
  PushAxis(1, 16384);   // not yet
  UpdateInput();
  EXPECT_EQ(Arrows(), "P---");
  PushAxis(0, 32767);  // straight across: left let go, right pressed
  PushAxis(1, -32768);
  UpdateInput();
  EXPECT_EQ(Arrows(), "--PP");
  PushAxis(0, 100);
  PushAxis(1, 0);
  PushAxis(2, -32768);  // a third axis is no arrow
  UpdateInput();
  EXPECT_EQ(Arrows(), "----");
}

TEST_F(InputTest, PadButtonsStandForTheirKeysAndNoneIsNothing) {
  PadButton defaults[PadButtonCount];
  std::copy(PadButtons, PadButtons + PadButtonCount, defaults);
  for (int b = 0; b < 4; ++b) PushPadButton(b, true);
  PushPadButton(7, true);  // no key of its own
  UpdateInput();
  EXPECT_EQ(Arrows(), "PPPP");
  EXPECT_EQ(KeyStates[SDLK_ESCAPE], KeyState::Up);
  for (int b = 0; b < 4; ++b) PushPadButton(b, false);
  UpdateInput();
  EXPECT_EQ(Arrows(), "----");
  PadButtons[1].button = -1;  // pad_down = -1: no button is Down
  PadButtons[4].button = 7;   // pad_pause = 7
  PushPadButton(1, true);
  PushPadButton(7, false);
  PushPadButton(7, true);
  UpdateInput();
  EXPECT_EQ(Arrows(), "----");
  EXPECT_EQ(KeyStates[SDLK_ESCAPE], KeyState::Pressed);
  for (int i = 0; i < PadButtonCount; ++i) PadButtons[i] = defaults[i];
}

TEST_F(InputTest, AMatArrowAndAKeyHeldTogetherAreHeldUntilBothAreUp) {
  PushKey(SDL_KEYDOWN, SDLK_UP);
  UpdateInput();
  PushHat(0, SDL_HAT_UP);  // a second press of the same column
  UpdateInput();
  EXPECT_EQ(KeyStates[SDLK_UP], KeyState::Pressed);
  PushKey(SDL_KEYUP, SDLK_UP);
  UpdateInput();
  EXPECT_EQ(KeyStates[SDLK_UP], KeyState::Held);  // the mat still holds it
  PushPadButton(2, true);
  PushHat(0, SDL_HAT_CENTERED);
  UpdateInput();
  EXPECT_EQ(KeyStates[SDLK_UP], KeyState::Pressed);
  PushPadButton(2, false);
  UpdateInput();
  EXPECT_EQ(KeyStates[SDLK_UP], KeyState::Up);
}

TEST_F(InputTest, AColumnIsPlayedByItsBoundKeyAndTheMatWhileTheArrowKeyStaysTheMenus) {
  BoundKeys[0] = SDLK_a;
  PushKey(SDL_KEYDOWN, SDLK_LEFT);
  UpdateInput();
  EXPECT_EQ(KeyStates[SDLK_LEFT], KeyState::Pressed);  // the menus still see Left
  EXPECT_EQ(KeyStates[ColumnKeys[0]], KeyState::Up);
  PushKey(SDL_KEYDOWN, SDLK_a);
  PushKey(SDL_KEYUP, SDLK_LEFT);
  UpdateInput();
  EXPECT_EQ(KeyStates[ColumnKeys[0]], KeyState::Pressed);
  EXPECT_EQ(KeyWentDown, SDLK_a);
  PushKey(SDL_KEYUP, SDLK_a);
  PushHat(0, SDL_HAT_LEFT);  // the mat's left is the column and the menus' Left
  UpdateInput();
  EXPECT_EQ(KeyStates[ColumnKeys[0]], KeyState::Pressed);
  EXPECT_EQ(KeyStates[SDLK_LEFT], KeyState::Pressed);
  PushHat(0, SDL_HAT_CENTERED);
  PushPadButton(9, true);
  UpdateInput();
  EXPECT_EQ(KeyStates[ColumnKeys[0]], KeyState::Up);
  EXPECT_EQ(PadButtonWentDown, 9);
  BoundKeys[0] = SDLK_LEFT;
}

TEST_F(InputTest, OutOfRangeSymbolsAndButtonsAreIgnored) {
  PushKey(SDL_KEYDOWN, 500);
  PushKey(SDL_KEYDOWN, 499);  // a column's entry: no keyboard key reaches it
  PushKey(SDL_KEYDOWN, 495);
  PushButton(SDL_MOUSEBUTTONDOWN, 10);
  PushButton(SDL_MOUSEBUTTONDOWN, 3);
  UpdateInput();
  EXPECT_EQ(KeyStates[499], KeyState::Up);
  EXPECT_EQ(KeyStates[495], KeyState::Pressed);
  EXPECT_EQ(MouseButtons[3], KeyState::Pressed);
  for (int b = 0; b < ButtonCount; ++b) {
    if (b != 3) {
      EXPECT_EQ(MouseButtons[b], KeyState::Up) << b;
    }
  }
  UpdateInput();
  EXPECT_EQ(MouseButtons[3], KeyState::Held);
}

SDL_Event KeyEvent(Uint8 type, int sym) {
  SDL_Event event{};
  event.type = event.key.type = type;
  event.key.keysym.sym = static_cast<SDLKey>(sym);
  return event;
}

// Each change carries the millisecond it was taken, in the order they came.
TEST_F(InputTest, ChangesKeepTheirStampsAndTheirOrder) {
  SDL_Event click{};
  click.type = click.button.type = SDL_MOUSEBUTTONDOWN;
  click.button.button = SDL_BUTTON_LEFT;
  StampEvent(click, 995);
  StampEvent(KeyEvent(SDL_KEYDOWN, SDLK_LEFT), 1003);
  StampEvent(KeyEvent(SDL_KEYUP, SDLK_LEFT), 1017);
  StampEvent(KeyEvent(SDL_KEYDOWN, SDLK_LEFT), 1032);
  StampEvent(KeyEvent(SDL_KEYDOWN, 510), 1033);  // beyond the table (yet a value SDL could send): no change
  UpdateInput();
  std::string seen;
  for (const InputChange& c : FrameChanges)
    seen += std::to_string(c.code) + (c.button ? "b" : "k") + (c.down ? "v" : "^") + std::to_string(c.stampMs) + " ";
  const std::string column = std::to_string(ColumnKeys[0]);  // Left is also column 0
  EXPECT_EQ(seen, "276kv1003 " + column + "kv1003 276k^1017 " + column + "k^1017 276kv1032 " + column + "kv1032 1bv995 ");
  uint32_t stamp = 0;
  ASSERT_TRUE(FirstPressStamp(SDLK_LEFT, stamp));
  EXPECT_EQ(stamp, 1003u);
  EXPECT_FALSE(FirstPressStamp(SDLK_RIGHT, stamp));
  UpdateInput();
  EXPECT_TRUE(FrameChanges.empty());
}

// Hold Right on "Accept", tap Up onto a "+": the value must not jump, then or
// minutes later, and a press made there repeats from its own stamp.
TEST_F(InputTest, AKeyHeldBeforeItsCallerAskedNeverRepeats) {
  StampEvent(KeyEvent(SDL_KEYDOWN, SDLK_RIGHT), 100);
  UpdateInput();  // nobody asks: the focus is elsewhere
  int steps = 0;
  for (uint32_t t = 116; t < 300000; t += 16) {
    UpdateInput();
    steps += RepeatSteps(SDLK_RIGHT, t);
  }
  EXPECT_EQ(steps, 0);
  StampEvent(KeyEvent(SDL_KEYUP, SDLK_RIGHT), ClockTicks() - 40);
  StampEvent(KeyEvent(SDL_KEYDOWN, SDLK_RIGHT), ClockTicks() - 7);  // 7 ms before the frame's input
  UpdateInput();
  EXPECT_EQ(RepeatSteps(SDLK_RIGHT, 300010), 1);
  UpdateInput();
  EXPECT_EQ(RepeatSteps(SDLK_RIGHT, 300400), 0);
  UpdateInput();
  EXPECT_EQ(RepeatSteps(SDLK_RIGHT, 300403), 1) << "0.4 s from the press's stamp, not the frame's";
  for (int i = 0; i < 50; ++i) UpdateInput();  // the focus went away and came back
  EXPECT_EQ(RepeatSteps(SDLK_RIGHT, 310000), 0);
}

// The system's auto-repeat sends more downs with no up between: the key is
// held from its press to its release, and its repeat speeds up as ever.
TEST_F(InputTest, AutoRepeatedDownsKeepAKeyHeldAndItsRepeatSpeedingUp) {
  StampEvent(KeyEvent(SDL_KEYDOWN, SDLK_LEFT), ClockTicks());
  UpdateInput();
  int steps = RepeatSteps(SDLK_LEFT, 1000);
  for (uint32_t t = 1016; t <= 4000; t += 16) {
    if (t % 48 == 0) StampEvent(KeyEvent(SDL_KEYDOWN, SDLK_LEFT), ClockTicks());
    if (t % 80 == 0) {  // X's way: an up and a down at once
      StampEvent(KeyEvent(SDL_KEYUP, SDLK_LEFT), ClockTicks());
      StampEvent(KeyEvent(SDL_KEYDOWN, SDLK_LEFT), ClockTicks());
    }
    UpdateInput();
    ASSERT_EQ(KeyStates[SDLK_LEFT], KeyState::Held) << t;
    steps += RepeatSteps(SDLK_LEFT, t);
  }
  EXPECT_NEAR(steps, 1 + 17 + 99, 2) << "one, then ten a second from 0.4 s, a hundred from 2 s";
  StampEvent(KeyEvent(SDL_KEYUP, SDLK_BACKSPACE), ClockTicks());  // held Backspace, repeated the X way
  StampEvent(KeyEvent(SDL_KEYDOWN, SDLK_BACKSPACE), ClockTicks());
  UpdateInput();
  EXPECT_EQ(KeysTyped, "\b") << "typing follows the repeat";
  StampEvent(KeyEvent(SDL_KEYUP, SDLK_LEFT), ClockTicks() - 40);
  StampEvent(KeyEvent(SDL_KEYDOWN, SDLK_LEFT), ClockTicks());
  UpdateInput();
  EXPECT_EQ(KeyStates[SDLK_LEFT], KeyState::Pressed) << "a down 40 ms after an up is a press";
}

// A key bound to a column works the menus as its arrow, and never types.
TEST_F(InputTest, AColumnKeyIsItsArrowForTheMenusAndTypesNothing) {
  BoundKeys[1] = SDLK_j;
  StampEvent(KeyEvent(SDL_KEYDOWN, SDLK_j), ClockTicks());
  StampEvent(KeyEvent(SDL_KEYDOWN, SDLK_k), ClockTicks());
  UpdateInput();
  EXPECT_EQ(KeyStates[SDLK_DOWN], KeyState::Pressed);
  EXPECT_EQ(KeyStates[ColumnKeys[1]], KeyState::Pressed);
  EXPECT_EQ(KeysTyped, "k");
  StampEvent(KeyEvent(SDL_KEYUP, SDLK_j), ClockTicks());
  UpdateInput();
  EXPECT_EQ(KeyStates[SDLK_DOWN], KeyState::Up);
  BoundKeys[1] = SDLK_DOWN;
}

TEST(ClockTest, StampsReadAsTheGameClockOfTheirMoment) {
  GameClockMs = 5000, LastTicks = 20000, ClockRunningSince = 19984;
  struct Case { uint32_t stamp; int32_t clock; bool stood; };
  for (const Case& c : {Case{20000, 5000, false}, Case{19993, 4993, false}, Case{20004, 5004, false},
                        Case{19984, 4984, false}, Case{19970, 4984, true}}) {
    EXPECT_EQ(GameClockAt(c.stamp), c.clock) << c.stamp;
    EXPECT_EQ(ClockStoodAt(c.stamp), c.stood) << c.stamp;
  }
  LastTicks = ClockTicks() - 16;
  AdvanceGameClock(true);  // a step in the pause: stamps before it stood still
  EXPECT_TRUE(ClockStoodAt(LastTicks - 1));
  EXPECT_EQ(GameClockAt(LastTicks - 9), 5000);
  GameClockMs = LastTicks = ClockRunningSince = 0;
}

TEST(PointerTest, WindowPixelsMapToGamePixelsWithinTheBoundsInclusive) {
  struct Case { int scale, left, top, x, y, gameX, gameY; };
  const Case cases[] = {
      {1, 0, 0, -5, 900, 0, 480},    {1, 0, 0, 640, 480, 640, 480}, {1, 0, 0, 641, -1, 640, 0},
      {2, 0, 0, 641, 481, 320, 240}, {2, 0, 0, 1279, 959, 639, 479}, {3, 0, 0, 2, 5, 0, 1},
      // full screen on 1920 x 1080 at scale 2: the frame at (320, 60); borders go to the nearest edge
      {2, 320, 60, 0, 0, 0, 0},      {2, 320, 60, 1919, 1079, 640, 480}, {2, 320, 60, 321, 61, 0, 0},
      {2, 320, 60, 960, 540, 320, 240}, {2, 320, 60, 319, 1000, 0, 470},
  };
  for (const Case& c : cases) {
    FrameScale = c.scale, FrameLeft = c.left, FrameTop = c.top;
    int x = c.x, y = c.y;
    WindowToGame(x, y);
    EXPECT_EQ(x, c.gameX) << c.scale << " " << c.x;
    EXPECT_EQ(y, c.gameY) << c.scale << " " << c.y;
  }
  FrameScale = 1, FrameLeft = FrameTop = 0;
}

}  // namespace
