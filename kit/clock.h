// The game clock: milliseconds of unpaused time, stepped once per frame.
#pragma once
#include <cstdint>

inline int32_t GameClockMs = 0;  // milliseconds of unpaused play time
inline uint32_t LastTicks = 0;   // SDL_GetTicks at the previous step

// Called once per frame after the screen ran: moves the clock on by the time
// since the last step, unless the game is paused.
void AdvanceGameClock(bool paused);
