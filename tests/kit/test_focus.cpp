// The keyboard focus: moving over a frame's buttons, Enter, lists and held keys.
#include <gtest/gtest.h>

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
    FocusIndex = -1;
    BeginFocusFrame();
  }
  void TearDown() override {
    FocusIndex = -1;
    FocusEnabled = true;
    ResetInput();
  }
  // One frame of three buttons with the given key pressed; gives which were clicked.
  std::string Frame(int key = -1, int x = 5, int y = 5) {
    ResetInput(x, y);
    if (key >= 0) KeyStates[key] = Pressed;
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
  FocusIndex = -1;
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
  KeyStates[SDLK_RETURN] = Pressed;
  MouseButtons[SDL_BUTTON_LEFT] = Pressed;
  FocusIndex = 1;
  ButtonsDrawn = 0;
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

// Ten rows: seven shown; the focus moved past the last row shown scrolls one step and stays on it.
TEST_F(FocusTest, AListScrollsWhenTheFocusGoesPastItsEdgeRows) {
  std::vector<std::string> labels;
  for (int i = 0; i < 10; ++i) labels.push_back("row " + std::to_string(i));
  int scroll = 0;
  auto frame = [&](int key) {
    ResetInput(5, 5);
    if (key >= 0) KeyStates[key] = Pressed;
    BeginFocusFrame();
    int clicked = ButtonList(labels, scroll);
    EndFocusFrame();
    return clicked;
  };
  FocusIndex = 6;  // the last row shown; the down control is button 7
  frame(SDLK_DOWN);
  EXPECT_EQ(scroll, 1);
  EXPECT_EQ(FocusIndex, 7) << "the up control is button 0 now, the last row button 7";
  EXPECT_EQ(frame(SDLK_RETURN), 7);
  frame(SDLK_DOWN);
  frame(SDLK_DOWN);
  EXPECT_EQ(scroll, 3);
  frame(SDLK_DOWN);  // the last row is shown: the focus moves on to the next button
  EXPECT_EQ(scroll, 3);
  EXPECT_EQ(FocusIndex, 0) << "past the last button, back to the first (the up control)";
  FocusIndex = 1;  // the first row shown
  frame(SDLK_UP);
  EXPECT_EQ(scroll, 2);
  EXPECT_EQ(FocusIndex, 1);
  frame(SDLK_UP);
  frame(SDLK_UP);
  EXPECT_EQ(scroll, 0);
  EXPECT_EQ(FocusIndex, 0) << "at the top there is no up control: the first row is button 0";
  // A notch of the wheel is a click on a control.
  ResetInput(5, 5);
  MouseButtons[SDL_BUTTON_WHEELDOWN] = Pressed;
  BeginFocusFrame();
  ButtonList(labels, scroll);
  EXPECT_EQ(scroll, 1);
  MouseButtons[SDL_BUTTON_WHEELDOWN] = Up;
  MouseButtons[SDL_BUTTON_WHEELUP] = Pressed;
  ButtonList(labels, scroll);
  EXPECT_EQ(scroll, 0);
  ButtonList(labels, scroll);
  EXPECT_EQ(scroll, 0) << "no scrolling above the top";
}

TEST(KeyRepeat, OneStepThenTenASecondAfterFourTenthsThenAHundredAfterTwoSeconds) {
  ResetInput();
  KeyStates[SDLK_LEFT] = Pressed;
  EXPECT_EQ(RepeatSteps(SDLK_LEFT, 1000), 1);
  KeyStates[SDLK_LEFT] = Held;
  int steps = 0;
  for (uint32_t t = 1016; t < 1400; t += 16) steps += RepeatSteps(SDLK_LEFT, t);
  EXPECT_EQ(steps, 0) << "nothing more before 0.4 s";
  for (uint32_t t = 1400; t <= 3000; t += 16) steps += RepeatSteps(SDLK_LEFT, t);
  EXPECT_EQ(steps, 17) << "at 0.4 s and then every 0.1 s up to 2 s";
  for (uint32_t t = 3016; t <= 4000; t += 16) steps += RepeatSteps(SDLK_LEFT, t);
  EXPECT_EQ(steps, 17 + 100 - 1) << "a hundred a second after 2 s";
  KeyStates[SDLK_LEFT] = Up;
  EXPECT_EQ(RepeatSteps(SDLK_LEFT, 4016), 0);
}

}  // namespace
