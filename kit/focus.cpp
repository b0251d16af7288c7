// The keyboard focus of the menus.
#include "kit/focus.h"

#include <SDL.h>

#include "kit/input.h"

namespace {

int LastMouseX = -1, LastMouseY = -1;
int NextFrameFocus = -1;  // a place set by FocusNextFrame, or -1
int HoveredNow = -1;      // the button under the pointer in this frame, or -1
int HoveredBefore = -1;   // the same in the frame before

}  // namespace

void BeginFocusFrame() {
  ButtonsDrawn = 0;
  FocusMove = 0;
  NextFrameFocus = -1;
  HoveredBefore = HoveredNow;
  HoveredNow = -1;
  if (MouseX != LastMouseX || MouseY != LastMouseY) FocusIndex = -1;
  LastMouseX = MouseX, LastMouseY = MouseY;
  if (!FocusEnabled) return;
  if (KeyStates[SDLK_UP] == Pressed) --FocusMove;
  if (KeyStates[SDLK_DOWN] == Pressed) ++FocusMove;
  // After the mouse, the keys go on from the button the player sees lit.
  if (FocusMove != 0 && FocusIndex < 0) FocusIndex = HoveredBefore;
}

void EndFocusFrame() {
  if (NextFrameFocus >= 0) {
    FocusIndex = NextFrameFocus;
    return;
  }
  if (ButtonsDrawn == 0) return;
  if (FocusIndex >= ButtonsDrawn) FocusIndex = ButtonsDrawn - 1;  // the screen has fewer buttons now
  if (FocusMove == 0) return;
  if (FocusIndex < 0)
    FocusIndex = FocusMove > 0 ? 0 : ButtonsDrawn - 1;
  else
    FocusIndex = (FocusIndex + FocusMove + ButtonsDrawn) % ButtonsDrawn;
}

void RestartFocus() {
  if (FocusIndex >= 0) FocusIndex = 0;
  FocusMove = 0;
  NextFrameFocus = -1;
  HoveredNow = -1;  // a place on the screen left behind
}

bool TakeFocus() {
  bool focused = ButtonsDrawn++ == FocusIndex;
  return FocusEnabled && focused;
}

bool LastButtonFocused() { return FocusEnabled && FocusIndex >= 0 && ButtonsDrawn - 1 == FocusIndex; }

void MarkHovered() { HoveredNow = ButtonsDrawn - 1; }

void FocusOn(int index) {
  FocusIndex = index;
  FocusMove = 0;
}

bool EnterPressed() {
  return FocusEnabled && (KeyStates[SDLK_RETURN] == Pressed || KeyStates[SDLK_KP_ENTER] == Pressed);
}

void FocusNextFrame(int index) {
  NextFrameFocus = index;
  FocusMove = 0;
}
