// Image loading and the kit's sprite sheets. Images are loaded once and never
// freed; an empty (null) image is a missing file and draws nothing.
#pragma once
#include <SDL.h>

#include <string>

#include "kit/window.h"

inline SDL_Surface* FontImage = nullptr;      // 95 glyphs of 15 x 21 in one row
inline SDL_Surface* ButtonImage = nullptr;    // 2 rows (Normal, Highlighted) of 9 panel cells of 21 x 21
inline SDL_Surface* ArrowsImage = nullptr;    // 4 icons of 16 x 16: 0 down, 1 left, 2 up, 3 right
inline SDL_Surface* BorderImage = nullptr;    // frame over the whole window
inline SDL_Surface* BarImage = nullptr;       // the pause overlay's top and bottom bar
inline SDL_Surface* CursorImage = nullptr;    // 16 pointer frames of 96 x 96; frame 3 is drawn

inline SDL_Rect GlyphRects[95];      // glyph i (character i + 32): (15 i, 0, 15, 21)
inline SDL_Rect PanelCells[2][9];    // [style][cell]: (21 cell, 21 style, 21, 21)
inline SDL_Rect ArrowRects[4];       // (16 i, 0, 16, 16), by the icons below
enum ArrowIcon : int { ArrowDownIcon = 0, ArrowLeftIcon = 1, ArrowUpIcon = 2, ArrowRightIcon = 3 };
inline SDL_Rect CursorFrames[16];    // (96 i, 0, 96, 96)

// An SDL rectangle (16-bit fields) from plain ints.
SDL_Rect MakeRect(int x, int y, int w, int h);

// Loads a PNG in the screen's format with pure cyan (0, 255, 255) transparent.
SDL_Surface* LoadKeyedImage(const std::string& path);

// Loads a PNG in the screen's format keeping its per-pixel alpha.
SDL_Surface* LoadAlphaImage(const std::string& path);

// Called once at start-up after the video mode and the game media:
// the pause's pictures, the six kit images, the four sprite tables.
void LoadKitMedia();

// Blits a whole image, or one rectangle of it, with its top-left at (x, y).
void DrawImage(SDL_Surface* image, const SDL_Rect* part, int x, int y);
