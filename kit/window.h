// The window: the game always draws onto one 640 x 480 surface of its own
// (ScreenSurface). At scale 1 that surface is the window itself; at a larger
// scale, or in full screen, the window is bigger and each frame is magnified
// onto it right before the flip, every game pixel an N x N block, centred
// with black borders in full screen.
#pragma once
#include <SDL.h>

#include <cstdint>

inline constexpr int WindowWidth = 640;
inline constexpr int WindowHeight = 480;
inline constexpr int MostWindowScale = 4;

inline SDL_Surface* ScreenSurface = nullptr;  // the game's 640 x 480 frame; every blit lands here

// A blit with its top-left at (x, y) that lands wholly off the window, or so
// far off that SDL's 16-bit coordinates would wrap it back on: it is skipped.
inline bool OffWindow(int64_t x, int64_t y) { return x > WindowWidth || y > WindowHeight || x < -8192 || y < -8192; }

inline SDL_Surface* WindowSurface = nullptr;  // the real window; ScreenSurface at scale 1
inline int FrameScale = 1;                    // the scale in use once the window is open
inline int FrameLeft = 0;                     // where the magnified frame starts in the window
inline int FrameTop = 0;

// The largest scale whose window fits the desktop (as it was before the game
// opened its window); MostWindowScale when the desktop's size is unknown.
int LargestWindowScale();

// Opens the window at a scale of 1 to 4, or full screen at the desktop's
// resolution, as the settings ask; a scale too big for the desktop gives way to
// the largest that fits, said in one line on standard error. A mode that cannot be set is reported in one
// line on standard error and the next smaller scale is tried, down to a
// 640 x 480 window. Returns false when not even that opens.
bool OpenWindow(int scale, bool fullScreen);

// Shows the frame: magnifies ScreenSurface onto the window when scaled, then flips.
void PresentFrame();

// Magnifies a 640 x 480 32-bit frame by `scale` onto a 32-bit surface at (left, top).
void MagnifyFrame(SDL_Surface* frame, SDL_Surface* window, int scale, int left, int top);

// The game pixel under a window pixel: the border taken off, divided by the
// scale, kept within 0..640 and 0..480.
void WindowToGame(int& x, int& y);

// The largest whole scale at which 640 x 480 fits into w x h, at least 1.
int LargestScale(int w, int h);
