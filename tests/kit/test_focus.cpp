// The keyboard focus: moving over a frame's buttons, Enter, lists and held keys.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "kit/button_list.h"
#include "kit/focus.h"
#include "kit/input.h"
#include "kit/panels.h"
#include "test_support.h"

namespace {

struct FocusTest : testing::Test {
  void SetUp() override {
    OpenTestScreen();
    ResetInput(5, 5);  // the pointer rests on no button
    FocusEnabled = true;
    ClearFocus();
    BeginFocusFrame();
  }
  void TearDown() override {
    ClearFocus();
    FocusEnabled = true;
    ResetInput();
  }
  // One frame of three buttons with the given key pressed; gives which were clicked.
  std::string Frame(int key = -1, int x = 5, int y = 5) {
    ResetInput(x, y);
    if (key >= 0) KeyStates[key] = KeyState::Pressed;
    BeginFocusFrame();
    std::string clicked;
    for (int y : {100, 200, 300}) clicked += Button(Centred(320, y, 600, 10), "") ? 'x' : '-';
    EndFocusFrame();
    return clicked;
  }
};

TEST_F(FocusTest, UpAndDownWrapAtBothEnds) {
  Frame();
  EXPECT_EQ(FocusIndex, -1) << "no focus before the first Up or Down";
  Frame(SDLK_UP);
  EXPECT_EQ(FocusIndex, 2) << "the first Up focuses the last button";
  Frame(SDLK_DOWN);
  EXPECT_EQ(FocusIndex, 0);
  Frame(SDLK_UP);
  EXPECT_EQ(FocusIndex, 2);
  Frame(SDLK_DOWN);
  Frame(SDLK_DOWN);
  EXPECT_EQ(FocusIndex, 1);
  ClearFocus();
  Frame(SDLK_DOWN);
  EXPECT_EQ(FocusIndex, 0) << "the first Down focuses the first button";
}

TEST_F(FocusTest, EnterClicksTheFocusedButtonOnlyAndHoverAndFocusClickOnce) {
  EXPECT_EQ(Frame(SDLK_RETURN), "---") << "no focus, no click";
  Frame(SDLK_DOWN);
  Frame(SDLK_DOWN);
  EXPECT_EQ(Frame(SDLK_RETURN), "-x-");
  EXPECT_EQ(Frame(SDLK_KP_ENTER), "-x-");
  EXPECT_EQ(Frame(), "---");
  // Focused and hovered, Enter and the mouse in the same frame: one click.
  ResetInput(320, 200);
  KeyStates[SDLK_RETURN] = KeyState::Pressed;
  MouseButtons[SDL_BUTTON_LEFT] = KeyState::Pressed;
  BeginFocusFrame();
  ClearFocus();
  FocusIndex = 1;
  int clicks = 0;
  for (int y : {100, 200, 300}) clicks += Button(Centred(320, y, 600, 10), "");
  EXPECT_EQ(clicks, 1);
}

TEST_F(FocusTest, MovingTheMouseGivesTheHighlightBackToThePointer) {
  Frame(SDLK_DOWN);
  ASSERT_EQ(FocusIndex, 0);
  ResetInput(320, 300);  // moved onto the third button
  BeginFocusFrame();
  EXPECT_EQ(FocusIndex, -1);
}

// Once the mouse has moved, the next Up or Down goes on from the button under
// the pointer; with none there, from the first (Down) or the last (Up).
TEST_F(FocusTest, AfterTheMouseTheKeysGoOnFromTheButtonUnderThePointer) {
  struct Case { int y, key, focus; };
  for (const Case& c : {Case{300, SDLK_DOWN, 0}, Case{300, SDLK_UP, 1}, Case{100, SDLK_DOWN, 1},
                        Case{470, SDLK_DOWN, 0}, Case{470, SDLK_UP, 2}}) {
    FocusIndex = 1;
    Frame(-1, 600, 5);
    Frame(-1, 320, c.y);  // the mouse moves there: the focus hides
    EXPECT_EQ(FocusIndex, -1);
    Frame(c.key, 320, c.y);
    EXPECT_EQ(FocusIndex, c.focus) << "pointer at y " << c.y << ", key " << c.key;
  }
}

TEST_F(FocusTest, WithTheFocusOffKeysDoNothing) {
  FocusEnabled = false;
  EXPECT_EQ(Frame(SDLK_DOWN), "---");
  EXPECT_EQ(FocusIndex, -1);
  FocusIndex = 0;
  EXPECT_EQ(Frame(SDLK_RETURN), "---");
  Frame(SDLK_DOWN);
  EXPECT_EQ(FocusIndex, 0);
  EXPECT_EQ(ButtonsDrawn, 3);  // the buttons are still counted
}

// A place given on entry is where the keys go on from, but it lights
// nothing until the player uses them; the pointer's button stays lit.
TEST_F(FocusTest, APlacedFocusIsDrawnOnlyOnceTheKeysWorkTheMenus) {
  Frame(-1, 320, 300);
  FocusOn(FocusIdOf(""));  // the first of the three unlabelled buttons
  std::string lit;
  for (int key : {-1, static_cast<int>(SDLK_DOWN), -1}) {
    ResetInput(320, 300);
    if (key >= 0) KeyStates[key] = KeyState::Pressed;
    BeginFocusFrame();
    for (int y : {100, 200, 300}) Button(Centred(320, y, 600, 10), ""), lit += LastButtonLit ? 'x' : '-';
    EndFocusFrame();
    lit += ' ';
  }
  EXPECT_EQ(lit, "--x x-- -x- ") << "hidden: the pointer's button; Down draws the place, then moves on";
}

// Rows keep their focus by identity; the keys scroll the list, and Page Up,
// Page Down, Home and End jump through it.
TEST_F(FocusTest, ListRowsKeepTheirFocusAndTheKeysJumpThroughTheList) {
  std::vector<std::string> labels(3000, "row");
  std::vector<FocusId> ids;
  for (long k = 0; k < 3000; ++k) ids.push_back(RowFocusId("test", k * 7));
  int scroll = 0;
  auto frame = [&](int key) {
    ResetInput(5, 5);
    if (key >= 0) KeyStates[key] = KeyState::Pressed;
    BeginFocusFrame();
    ButtonList(labels, scroll, &ids);
    EndFocusFrame();
  };
  auto row = [&] { return std::find(ids.begin(), ids.end(), FocusedId) - ids.begin(); };
  struct Case { int key; long row; int scroll; };
  FocusOn(ids[6]);  // the last row shown
  for (const Case& c : {Case{SDLK_DOWN, 7, 1}, Case{SDLK_UP, 6, 1}, Case{SDLK_PAGEDOWN, 13, 8},
                        Case{SDLK_END, 2999, 2993}, Case{SDLK_PAGEDOWN, 2999, 2993},
                        Case{SDLK_PAGEUP, 2992, 2986}, Case{SDLK_HOME, 0, 0}, Case{SDLK_PAGEUP, 0, 0}}) {
    frame(c.key);
    EXPECT_EQ(row(), c.row) << "key " << c.key;
    EXPECT_EQ(scroll, c.scroll) << "key " << c.key;
  }
  frame(SDLK_DOWN);
  ids.erase(ids.begin());  // the list filtered: its rows move up one place
  labels.pop_back();
  frame(-1);
  EXPECT_EQ(ListLitRow, 0) << "the same row lit, first now";
  // A notch of the wheel is a click on a control.
  ResetInput(5, 5);
  MouseButtons[SDL_BUTTON_WHEELDOWN] = KeyState::Pressed;
  BeginFocusFrame();
  ButtonList(labels, scroll);
  EXPECT_EQ(scroll, 1);
}

TEST(KeyRepeat, OneStepThenTenASecondAfterFourTenthsThenAHundredAfterTwoSeconds) {
  ResetInput();
  KeyStates[SDLK_LEFT] = KeyState::Pressed;
  EXPECT_EQ(RepeatSteps(SDLK_LEFT, 1000), 1);
  KeyStates[SDLK_LEFT] = KeyState::Held;
  int steps = 0;
  for (uint32_t t = 1016; t < 1400; t += 16) steps += RepeatSteps(SDLK_LEFT, t);
  EXPECT_EQ(steps, 0) << "nothing more before 0.4 s";
  for (uint32_t t = 1400; t <= 3000; t += 16) steps += RepeatSteps(SDLK_LEFT, t);
  EXPECT_EQ(steps, 17) << "at 0.4 s and then every 0.1 s up to 2 s";
  for (uint32_t t = 3016; t <= 4000; t += 16) steps += RepeatSteps(SDLK_LEFT, t);
  EXPECT_EQ(steps, 17 + 100 - 1) << "a hundred a second after 2 s";
  KeyStates[SDLK_LEFT] = KeyState::Up;
  EXPECT_EQ(RepeatSteps(SDLK_LEFT, 4016), 0);
}

}  // namespace
