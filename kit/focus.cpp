// The keyboard focus of the menus.
#include "kit/focus.h"

#include <SDL.h>

#include <algorithm>

#include "kit/input.h"

namespace {

int LastMouseX = -1, LastMouseY = -1;
FocusId NextFrameFocus = 0;     // a button set by FocusNextFrame, or 0
std::vector<FocusId> FrameIds;  // this frame's buttons in drawing order
std::vector<FocusId> IdsBefore; // the same in the frame before
int HoveredNow = -1;            // the button under the pointer in this frame, or -1
int HoveredBefore = -1;         // the same in the frame before
bool PlacedThisFrame = false;   // FocusOn was called in this frame

// FNV-1a, so an identity depends on the text alone.
FocusId Hash(std::string_view text, FocusId seed = 2166136261u) {
  for (unsigned char c : text) seed = (seed ^ c) * 16777619u;
  return seed == 0 ? 1 : seed;
}

// The keys that say the player works the menus by keys.
bool MenuKeyPressed() {
  for (int key : {SDLK_UP, SDLK_DOWN, SDLK_LEFT, SDLK_RIGHT, SDLK_PAGEUP, SDLK_PAGEDOWN, SDLK_HOME, SDLK_END})
    if (KeyStates[key] == KeyState::Pressed) return true;
  return EnterPressed();
}

// Where the focus stands among this frame's buttons, or -1.
int FocusPlace() {
  if (FocusedId == 0) return FocusIndex < ButtonsDrawn ? FocusIndex : ButtonsDrawn - 1;
  auto at = std::find(FrameIds.begin(), FrameIds.end(), FocusedId);
  if (at != FrameIds.end()) return static_cast<int>(at - FrameIds.begin());
  return std::min(FocusIndex, ButtonsDrawn - 1);  // its button is gone: the one now in its place
}

}  // namespace

FocusId FocusIdOf(std::string_view label) { return Hash(label); }

FocusId RowFocusId(std::string_view list, long row) {
  return Hash(std::string_view(reinterpret_cast<const char*>(&row), sizeof row), Hash(list));
}

void BeginFocusFrame() {
  ButtonsDrawn = 0;
  FocusMove = 0;
  NextFrameFocus = 0;
  PlacedThisFrame = false;
  IdsBefore.swap(FrameIds);
  FrameIds.clear();
  HoveredBefore = HoveredNow;
  HoveredNow = -1;
  if (MouseX != LastMouseX || MouseY != LastMouseY) ClearFocus();
  LastMouseX = MouseX, LastMouseY = MouseY;
  if (!FocusEnabled) return;
  // Held, Up and Down repeat, and speed up, as a held key does (kit/input.h).
  FocusMove = RepeatSteps(SDLK_DOWN, FrameInputMs) - RepeatSteps(SDLK_UP, FrameInputMs);
  if (MenuKeyPressed() || FocusMove != 0) FocusShown = true;
  // After the mouse, the keys go on from the button the player sees lit.
  if (FocusMove != 0 && FocusedId == 0 && FocusIndex < 0 && HoveredBefore >= 0 &&
      HoveredBefore < static_cast<int>(IdsBefore.size()))
    FocusedId = IdsBefore[HoveredBefore], FocusIndex = HoveredBefore;
}

void EndFocusFrame() {
  if (NextFrameFocus != 0) {
    FocusedId = NextFrameFocus;
    return;
  }
  if (ButtonsDrawn == 0) return;
  int at = FocusPlace();
  if (FocusMove != 0) {
    const int step = FocusMove > 0 ? 1 : -1;  // among buttons, one at a time
    at = at < 0 ? (step > 0 ? 0 : ButtonsDrawn - 1) : (at + step + ButtonsDrawn) % ButtonsDrawn;
  }
  FocusIndex = at;
  FocusedId = at >= 0 ? FrameIds[at] : 0;
}

void RestartFocus() {
  if (!PlacedThisFrame) FocusedId = 0, FocusIndex = FocusShown ? 0 : -1;  // the pause places its own
  FocusMove = 0;
  NextFrameFocus = 0;
  HoveredNow = -1;  // a place on the screen left behind
}

void ClearFocus() {
  FocusShown = false;
  FocusedId = 0;
  FocusIndex = -1;
}

bool TakeFocus(FocusId id) {
  // Two buttons of one frame with one label (empty ones) tell apart by their order.
  if (std::find(FrameIds.begin(), FrameIds.end(), id) != FrameIds.end()) id = Hash("again", id + ButtonsDrawn);
  FrameIds.push_back(id);
  ++ButtonsDrawn;
  return LastButtonFocused();
}

bool FocusDrawn() { return FocusEnabled && FocusShown && (FocusedId != 0 || FocusIndex >= 0); }

bool LastButtonFocused() {
  if (!FocusEnabled || ButtonsDrawn == 0) return false;
  if (FocusedId != 0) return FrameIds.back() == FocusedId;
  return FocusIndex == ButtonsDrawn - 1;
}

FocusId LastButtonId() { return FrameIds.empty() ? 0 : FrameIds.back(); }

void MarkHovered() { HoveredNow = ButtonsDrawn - 1; }

void FocusOn(FocusId id) {
  FocusedId = id;
  PlacedThisFrame = true;
  FocusMove = 0;
}

bool EnterPressed() {
  return FocusEnabled && (KeyStates[SDLK_RETURN] == KeyState::Pressed || KeyStates[SDLK_KP_ENTER] == KeyState::Pressed);
}

void FocusNextFrame(FocusId id) {
  NextFrameFocus = id;
  FocusMove = 0;
}
