// The game's own pictures: backdrop, title and the three gameplay sheets.
#pragma once
#include <SDL.h>

inline SDL_Surface* GameBackground = nullptr;  // drawn whole under every screen
inline SDL_Surface* GameTitle = nullptr;       // the title picture, drawn at (170, 30)
inline SDL_Surface* ArrowSheet = nullptr;      // 4 x 4 cells of 70 x 70
inline SDL_Surface* RatingSheet = nullptr;     // 3 cells of 125 x 50
inline SDL_Surface* HoldSheet = nullptr;       // 3 cells of 50 x 35

// Cell of lane c (0 left, 1 down, 2 up, 3 right) and row r at index c + 4 r.
// Rows: 0 target just pressed, 1 target idle, 2 target held, 3 scrolling note.
inline SDL_Rect ArrowCells[16];
inline SDL_Rect RatingCells[3];  // 0 BOO, 1 GOOD, 2 PERFECT
inline SDL_Rect HoldCells[3];    // 0 start, 1 body, 2 end

// Called once at start-up after the video mode, before the kit's media.
// The tables are filled whether or not their sheets loaded.
void LoadGameMedia();
