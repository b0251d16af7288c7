// What lies on top of every screen: the pausable game clock, the Escape pause
// overlay, the exit prompt and its clock bars, the pointer and the window border.
#pragma once
#include <SDL.h>

#include <cstdint>

inline bool ExitPromptOpen = false;   // the pause is wanted; toggled by Escape
inline double ExitPromptLevel = 0.0;  // 0 closed .. 100 fully faded in; screens run only at 0
inline int32_t GameClockMs = 0;       // milliseconds of unpaused play time
inline uint32_t LastTicks = 0;        // SDL_GetTicks of the previous DrawFrameChrome

// A whole window of red, green, blue bytes, addressed [y][x][channel].
inline constexpr int OverlayWidth = 640;
inline constexpr int OverlayHeight = 480;
using RgbImage = uint8_t[OverlayHeight][OverlayWidth][3];

inline RgbImage WorkImage;     // after a freeze: the blurred, lightened screen
inline RgbImage ScratchImage;  // after a freeze: the screen as it was frozen

// Called once per frame after the dispatcher (also while it is skipped), before the flip.
void DrawFrameChrome();

// The Escape toggle, the freeze of the screen, the fade drawing and the level's step.
void UpdateExitOverlay();

// Snapshots the screen and fills WorkImage, BlurImage and ScratchImage from it.
void FreezeScreen();

// The six averaging passes (A, B, C, D, C, D) between WorkImage and ScratchImage;
// the result is in WorkImage. ScratchImage must start as a copy of WorkImage.
void BlurWorkImage();

// One channel value after the three clamped lighten steps (+50, -100, +100).
int LightenValue(int v);

// Applies LightenValue to every byte of WorkImage.
void LightenWorkImage();

// Reads every pixel of a 640 x 480 surface (any depth) into an image.
void ReadSurfaceRgb(SDL_Surface* surface, RgbImage image);

// Writes an image into a 640 x 480 surface with SDL_MapRGB of its format.
void WriteSurfaceRgb(const RgbImage image, SDL_Surface* surface);

// Covers a 640 x 480 surface with WorkImage x a + ScratchImage x (100 - a), per cent.
void BlendIntoSurface(SDL_Surface* surface, int a);

// Draws the overlay for level t: nothing at 0, BlurImage at 100, else the blend.
void DrawExitOverlay(double t);

// The level one frame later, rising toward 100 while open, falling toward 0 otherwise.
double NextExitPromptLevel(double t, bool open);
