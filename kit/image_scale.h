// Pictures scaled to a box: each pixel of the result the average of the
// source pixels it covers (a box filter), so a large picture shrinks
// without the speckle of picking single pixels.
#pragma once
#include <SDL.h>

// A new surface in the screen's format holding the picture at the largest
// size that fits width x height with its proportions kept (never larger than
// it is); null for a null or empty picture. The picture is not freed.
SDL_Surface* ScaledToFit(SDL_Surface* picture, int width, int height);
