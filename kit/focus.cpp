// The keyboard focus of the menus.
#include "kit/focus.h"

#include <SDL.h>

#include "kit/input.h"

namespace {

int LastMouseX = -1, LastMouseY = -1;
int NextFrameFocus = -1;  // a place set by FocusNextFrame, or -1

}  // namespace

void BeginFocusFrame() {
  ButtonsDrawn = 0;
  FocusMove = 0;
  NextFrameFocus = -1;
  if (MouseX != LastMouseX || MouseY != LastMouseY) FocusIndex = -1;
  LastMouseX = MouseX, LastMouseY = MouseY;
  if (!FocusEnabled) return;
  if (KeyStates[SDLK_UP] == Pressed) --FocusMove;
  if (KeyStates[SDLK_DOWN] == Pressed) ++FocusMove;
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
}

bool TakeFocus() {
  bool focused = ButtonsDrawn++ == FocusIndex;
  return FocusEnabled && focused;
}

bool LastButtonFocused() { return FocusEnabled && FocusIndex >= 0 && ButtonsDrawn - 1 == FocusIndex; }

bool EnterPressed() {
  return FocusEnabled && (KeyStates[SDLK_RETURN] == Pressed || KeyStates[SDLK_KP_ENTER] == Pressed);
}

void FocusNextFrame(int index) {
  NextFrameFocus = index;
  FocusMove = 0;
}
