// The pause's pixel work: the frozen screen, blurred and lightened, and the
// blend that fades it in and out. Channels are worked in plain RGB images of
// the whole window, whatever the screen's own pixel format.
#pragma once
#include <SDL.h>

#include <cstdint>

#include "kit/window.h"

// A whole window of red, green, blue bytes, addressed [y][x][channel].
using RgbImage = uint8_t[WindowHeight][WindowWidth][3];

inline SDL_Surface* SnapshotImage = nullptr;  // 640 x 480 in the screen's format: the frozen screen
inline SDL_Surface* BlurImage = nullptr;      // 640 x 480: its blurred, lightened copy

inline RgbImage WorkImage;     // after a freeze: the blurred, lightened screen
inline RgbImage ScratchImage;  // after a freeze: the screen as it was frozen

// Makes the two pictures in the screen's format; called with the kit's media.
void MakePausePictures();

// Snapshots the screen and fills WorkImage, BlurImage and ScratchImage from it.
void FreezeScreen();

// Six averaging passes between WorkImage and ScratchImage: two of reach 3
// (the second rounding up), then two rounds of two of reach 1. The result is
// in WorkImage. ScratchImage must start as a copy of WorkImage.
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
