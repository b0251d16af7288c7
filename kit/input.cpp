// The input update: SDL events into the key and button tables.
#include "kit/input.h"

#include <SDL.h>

#include "kit/images.h"

namespace {

void Decay(int* states, int count) {
  for (int i = 0; i < count; ++i) states[i] = states[i] != Up ? Held : Up;
}

// Takes every queued event of one type; downs of a kind are all applied
// before its ups, whatever their order in the queue.
template <typename Apply>
void TakeEvents(Uint8 type, Apply apply) {
  SDL_Event event;
  while (SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_EVENTMASK(type)) > 0) apply(event);
}

void SetKey(const SDL_Event& event, int state) {
  int sym = event.key.keysym.sym;
  if (sym >= 0 && sym < KeyCount) KeyStates[sym] = state;
}

void SetButton(const SDL_Event& event, int state) {
  int button = event.button.button;
  if (button < ButtonCount) MouseButtons[button] = state;
}

}  // namespace

void ClampPointer(int& x, int& y) {
  if (x < 0) x = 0;
  if (y < 0) y = 0;
  if (x > WindowWidth) x = WindowWidth;
  if (y > WindowHeight) y = WindowHeight;
}

void UpdateInput() {
  Decay(KeyStates, KeyCount);
  TakeEvents(SDL_KEYDOWN, [](const SDL_Event& e) { SetKey(e, Pressed); });
  TakeEvents(SDL_KEYUP, [](const SDL_Event& e) { SetKey(e, Up); });
  Decay(MouseButtons, ButtonCount);
  TakeEvents(SDL_MOUSEBUTTONDOWN, [](const SDL_Event& e) { SetButton(e, Pressed); });
  TakeEvents(SDL_MOUSEBUTTONUP, [](const SDL_Event& e) { SetButton(e, Up); });
  SDL_GetMouseState(&MouseX, &MouseY);
  ClampPointer(MouseX, MouseY);
}
