// The game clock's step.
#include "kit/clock.h"

#include <SDL.h>

void AdvanceGameClock(bool paused) {
  uint32_t now = SDL_GetTicks();
  if (!paused) GameClockMs += static_cast<int32_t>(now - LastTicks);
  LastTicks = now;
}

int32_t GameClockNow() { return static_cast<int32_t>(static_cast<uint32_t>(GameClockMs) + (SDL_GetTicks() - LastTicks)); }

int32_t PressClock() { return static_cast<int32_t>(static_cast<uint32_t>(GameClockMs) + (SDL_GetTicks() - LastTicks) / 2); }
