// The game clock: milliseconds of unpaused time, stepped once per frame.
#pragma once
#include <cstdint>

inline int32_t GameClockMs = 0;  // milliseconds of unpaused play time
inline uint32_t LastTicks = 0;   // SDL_GetTicks at the previous step

// Called once per frame after the screen ran: moves the clock on by the time
// since the last step, unless the game is paused.
void AdvanceGameClock(bool paused);

// What GameClockMs would read now, between two steps.
int32_t GameClockNow();

// Where GameClockMs most likely stood when a key seen in this frame went
// down: halfway between the last step and now, since it came in between.
int32_t PressClock();
