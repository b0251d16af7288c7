// Start-up, the frame loop with its pacing, and the screen dispatcher.
#pragma once
#include <cstdint>

inline constexpr uint32_t FramePeriodMs = 16;  // shortest length of one frame

// Opens SDL, the window and the audio device and loads all media.
// Returns false (after one line on standard error) when there is no window,
// or no display to open one on (no DISPLAY and no SDL_VIDEODRIVER).
bool StartUp();

// Runs frames until QuitRequested is set.
void RunMainLoop();

// One frame without its pacing: input, the dispatcher (only while the pause
// overlay is closed), the game clock's step, the frame chrome, the flip and
// draining the rest of the queue.
void RunFrame();

// What lies on top of every screen: the pause (whose "Exit" sets
// QuitRequested), the pointer and the window border.
void DrawFrameChrome();

// Blits the backdrop and runs the current screen's function once; sets ScreenChanged.
void RunDispatcher();

// Takes every event left in the queue; the window's close event sets QuitRequested.
void DrainEvents();

// How long to sleep after a frame whose work took elapsedMs.
uint32_t FrameDelayMs(uint32_t elapsedMs);
