// The game clock's step.
#include "kit/clock.h"

#include <SDL.h>

void AdvanceGameClock(bool paused) {
  uint32_t now = SDL_GetTicks();
  if (!paused) GameClockMs += static_cast<int32_t>(now - LastTicks);
  LastTicks = now;
}
