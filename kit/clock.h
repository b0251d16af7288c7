// The game's one source of time. The millisecond clock (ClockTicks) is read
// nowhere else; input carries stamps of it (kit/input.h), and the game clock
// turns those stamps into the pausable time that gameplay runs on.
#pragma once
#include <cstdint>
#include <ctime>

inline int32_t GameClockMs = 0;  // milliseconds of unpaused play time
inline uint32_t LastTicks = 0;   // ClockTicks at the game clock's last step
// Since when the clock has run without standing still: the step before the
// last, or the last one when that was taken in the pause.
inline uint32_t ClockRunningSince = 0;

// The millisecond clock since start-up (SDL_GetTicks); wraps after 49 days.
uint32_t ClockTicks();

// The calendar's seconds (std::time): a seed for random draws.
std::time_t CalendarSeconds();

// The local date and time now, for the pause's clock bars.
std::tm LocalTimeNow();

// Called once per frame, right after the input update: moves the clock on by
// the time since the last step, unless the game is paused.
void AdvanceGameClock(bool paused);

// What GameClockMs would read now, between two steps.
int32_t GameClockNow();

// Where GameClockMs most likely stood when a key seen in this frame went
// down, for a key without a stamp: halfway between the step before and this
// one, since it came in between. A stamp tells exactly (GameClockAt).
int32_t PressClock();

// The game clock at a stamp of the millisecond clock: GameClockMs less the
// stamp's distance from the last step. Meant for the stamps of this frame's
// input, all taken since the step before; an older stamp, or one from within
// the pause, reads as the clock at ClockRunningSince.
int32_t GameClockAt(uint32_t stampMs);

// Whether a stamp lies before ClockRunningSince: for this frame's input, a
// stamp taken while the pause was up.
bool ClockStoodAt(uint32_t stampMs);
