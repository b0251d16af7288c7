// Start-up, the frame loop with its pacing, and the screen dispatcher.
#pragma once
#include <cstdint>

#include "kit/pause.h"

inline constexpr uint32_t FramePeriodMs = 16;  // shortest length of one frame

// Opens SDL, the window and the audio device and loads all media.
// Returns false (after one line on standard error) when there is no window,
// or no display to open one on (no DISPLAY and no SDL_VIDEODRIVER).
bool StartUp();

// Runs frames until QuitRequested is set.
void RunMainLoop();

// One frame without its pacing: input, the game clock's step, the dispatcher
// (only while the pause overlay is closed), the frame chrome, the flip and
// draining the rest of the queue. A frame that cannot look different from the
// last (FrameWanted) only takes its input and steps the clock.
void RunFrame();

// The wait after a frame: until 16 ms have passed since frameStart, takes
// input as it arrives (WaitForInput), so that every key and button carries
// the millisecond it came in, not the frame's.
void SampleInputUntilNextFrame(uint32_t frameStart);

// Whether this frame is to be drawn and shown. A still screen (the menus and
// the results) with no input, nothing held, the pointer where it was and the
// pause closed looks exactly as it did; after two such frames drawn, the
// rest are skipped until something changes, which keeps the idle game cheap.
bool FrameWanted();

// Does what the player chose in the pause: "Exit" sets QuitRequested,
// "Restart song" starts the chart again, "Song list" stops the song for its
// difficulty select.
void ApplyPauseChoice(PauseChoice choice);

// What lies on top of every screen and the pause: the pointer and the window border.
void DrawFrameChrome();

// Blits the backdrop and runs the current screen's function once; sets ScreenChanged.
void RunDispatcher();

// Takes every event left in the queue; the window's close event sets QuitRequested.
void DrainEvents();

// How long to sleep after a frame whose work took elapsedMs.
uint32_t FrameDelayMs(uint32_t elapsedMs);
