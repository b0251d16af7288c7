// A faster blit for the play screen's sheets (arrows, holds, rating words):
// copies in the screen's format with per-pixel alpha, drawn onto a 32-bit
// screen. Each row of a sheet is cut once into runs: clear pixels are skipped,
// solid ones copied and only the soft edges blended. The pixels come out
// exactly as SDL's own blit of the sheet gives them, byte for byte.
#pragma once
#include <SDL.h>

#include <vector>

// Pixels [x, x + length) of one sheet row, none of them clear: either all
// solid (alpha 255) and copied, or blended, holding soft pixels (alpha 1..254)
// and perhaps short solid stretches, each pixel by its own weights.
struct SheetRun {
  Uint16 x = 0;
  Uint16 length = 0;
  bool blended = false;
  int at = 0;  // its first pixel in solid (copied) or in sheetPart and screenPart (blended)
};

// The prepared runs of one sheet. They keep their own pixels: SDL frees those
// of a run-length coded surface once it has coded them.
struct SheetRuns {
  SDL_Surface* sheet = nullptr;   // the surface these runs were made from; null if none
  int w = 0;
  int h = 0;
  Uint32 keep = 0;                // screen bits a copied pixel leaves alone (see sheet_blit.cpp)
  std::vector<SheetRun> runs;     // every row's runs, left to right
  std::vector<int> rowStarts;     // row y's runs are runs[rowStarts[y]] up to runs[rowStarts[y + 1]]
  std::vector<Uint16> firstRuns;  // [y w + x]: row y's first run ending past column x, from rowStarts[y]
  std::vector<Uint32> solid;      // the copied runs' pixels, run after run
  // Four numbers per blended pixel, one per byte from its lowest: the screen's
  // byte d becomes (sheetPart + d screenPart) / 256, rounded down.
  std::vector<Uint16> sheetPart;
  std::vector<Uint16> screenPart;
};

// (Re)builds the runs of a sheet; call again whenever its pixels or flags change.
// False (and empty runs) if the sheet is not 32 bits with alpha in its top byte
// and SDL_SRCALPHA set: then DrawSheetPart always uses SDL's blit for it.
bool PrepareSheet(SheetRuns& runs, SDL_Surface* sheet);

// Off, every sheet goes through SDL's blit: for measuring one against the other.
inline bool SheetRunsEnabled = true;

// Same arguments and same pixels as DrawImage(sheet, part, x, y) (kit/images.h),
// clipped to the screen's clip rectangle. Falls back to DrawImage when the runs
// were not made from this sheet or the screen is not 32 bits in the sheet's colour order.
void DrawSheetPart(const SheetRuns& runs, SDL_Surface* sheet, const SDL_Rect* part, int x, int y);
