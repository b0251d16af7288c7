// Shared seams for the tests of the kit and above: a headless 32-bit screen,
// pixel reads and made-up images (and the file helpers of test_files.h).
#pragma once
#include <SDL.h>

#include "test_files.h"

// Opens SDL's dummy video with a 640 x 480 screen of 32 bits per pixel (once)
// and points ScreenSurface at it.
void OpenTestScreen();

// Clears the key and button tables and puts the pointer at (x, y).
void ResetInput(int mouseX = 0, int mouseY = 0);

// Fills the whole screen with one colour.
void FillScreen(Uint8 r, Uint8 g, Uint8 b);

// The colour of one screen pixel as 0xRRGGBB.
Uint32 ScreenPixel(int x, int y);

// A 32-bit surface with alpha, every pixel (r, g, b, a).
SDL_Surface* MakeImage(int w, int h, Uint8 r, Uint8 g, Uint8 b, Uint8 a = 255);

// Sets one pixel of a surface made by MakeImage.
void SetImagePixel(SDL_Surface* image, int x, int y, Uint8 r, Uint8 g, Uint8 b, Uint8 a = 255);
