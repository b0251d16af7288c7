// The game's own pictures: backdrop, title and the three gameplay sheets.
#pragma once
#include <SDL.h>

#include "kit/sheet_blit.h"

inline SDL_Surface* GameBackground = nullptr;  // drawn whole under every screen
inline SDL_Surface* GameTitle = nullptr;       // the title picture, drawn at (170, 30)
inline SDL_Surface* ArrowSheet = nullptr;      // 4 x 4 cells of 70 x 70
inline SDL_Surface* RatingSheet = nullptr;     // 3 cells of 125 x 50
inline SDL_Surface* HoldSheet = nullptr;       // 3 cells of 50 x 35
inline SDL_Surface* RollSheet = nullptr;       // laid out as HoldSheet
inline SDL_Surface* MineSheet = nullptr;       // one cell of 70 x 70
inline SDL_Surface* BeatArrowSheet = nullptr;  // 4 x 8 cells of 70 x 70: scrolling notes by place in the beat

// Cell of column c (0 left, 1 down, 2 up, 3 right) and row r at index c + 4 r.
// Rows: 0 target just pressed, 1 target idle, 2 target held, 3 scrolling note.
inline SDL_Rect ArrowCells[16];
inline SDL_Rect RatingCells[4];  // 0 BOO, 1 GOOD, 2 PERFECT, 3 MINE
inline SDL_Rect HoldCells[3];    // 0 start, 1 body, 2 end; the roll strip's too
inline SDL_Rect MineCell;
// Column c and place p (BeatPlace less one: 0 quarter ... 7 other) at index c + 4 p.
inline SDL_Rect BeatArrowCells[32];

// The three gameplay sheets as the play screen draws them. The sheets come as
// IMG_Load delivers them, in RGBA byte order, which SDL blends onto the screen
// by its slow generic path; a copy in the screen's format with the same alpha
// looks the same, and its rows are cut into runs once, so that a frame blends
// only the soft edges of the arrows.
struct PlaySheet {
  SDL_Surface* copy = nullptr;  // null when no copy could be made: the sheet itself is drawn
  SheetRuns runs;
};
inline PlaySheet ArrowPlaySheet, RatingPlaySheet, HoldPlaySheet, RollPlaySheet, MinePlaySheet, BeatArrowPlaySheet;

// Called once at start-up after the video mode, before the kit's media.
// The tables are filled whether or not their sheets loaded; the play sheets are prepared.
void LoadGameMedia();

// Makes the play sheets from the gameplay sheets, letting go
// of any made before; call again whenever those sheets are replaced.
void PreparePlaySheets();
