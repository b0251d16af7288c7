// The game clock's step and the time of stamps.
#include "kit/clock.h"

#include <SDL.h>

uint32_t ClockTicks() { return SDL_GetTicks(); }

std::time_t CalendarSeconds() { return std::time(nullptr); }

std::tm LocalTimeNow() {
  std::time_t calendar = CalendarSeconds();
  std::tm when{};
  localtime_r(&calendar, &when);
  return when;
}

void AdvanceGameClock(bool paused) {
  uint32_t now = ClockTicks();
  if (paused) {
    ClockRunningSince = now;
  } else {
    ClockRunningSince = LastTicks;
    GameClockMs += static_cast<int32_t>(now - LastTicks);
  }
  LastTicks = now;
}

int32_t GameClockNow() { return static_cast<int32_t>(static_cast<uint32_t>(GameClockMs) + (ClockTicks() - LastTicks)); }

int32_t PressClock() { return static_cast<int32_t>(static_cast<uint32_t>(GameClockMs) - (LastTicks - ClockRunningSince) / 2); }

int32_t GameClockAt(uint32_t stampMs) {
  if (ClockStoodAt(stampMs)) stampMs = ClockRunningSince;
  // Unsigned steps: the clocks wrap instead of overflowing.
  return static_cast<int32_t>(static_cast<uint32_t>(GameClockMs) + (stampMs - LastTicks));
}

bool ClockStoodAt(uint32_t stampMs) { return static_cast<int32_t>(stampMs - ClockRunningSince) < 0; }
