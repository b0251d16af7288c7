// Loading the game's own pictures and filling their cell tables.
#include "game/media.h"

#include <SDL_image.h>

#include "kit/images.h"

void LoadGameMedia() {
  GameBackground = LoadKeyedImage("Media/Game/background.png");
  GameTitle = IMG_Load("Media/Game/title.png");
  ArrowSheet = IMG_Load("Media/Game/arrows.png");
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c) ArrowCells[c + 4 * r] = MakeRect(70 * c, 70 * r, 70, 70);
  RatingSheet = IMG_Load("Media/Game/ratings.png");
  for (int i = 0; i < 4; ++i) RatingCells[i] = MakeRect(0, 50 * i, 125, 50);
  HoldSheet = IMG_Load("Media/Game/hold.png");
  RollSheet = IMG_Load("Media/Game/roll.png");
  for (int i = 0; i < 3; ++i) HoldCells[i] = MakeRect(50 * i, 0, 50, 35);
  MineSheet = IMG_Load("Media/Game/mine.png");
  MineCell = MakeRect(0, 0, 70, 70);
  BeatArrowSheet = IMG_Load("Media/Game/beat_arrows.png");
  for (int p = 0; p < 8; ++p)
    for (int c = 0; c < 4; ++c) BeatArrowCells[c + 4 * p] = MakeRect(70 * c, 70 * p, 70, 70);
  PreparePlaySheets();
}

namespace {

// Sheets that are mostly clear or solid (the rating words, the holds) are
// faster through SDL's blit when run-length coded.
void Prepare(PlaySheet& entry, SDL_Surface* sheet, bool runLengths) {
  SDL_FreeSurface(entry.copy);
  entry.copy = sheet != nullptr && ScreenSurface != nullptr ? SDL_DisplayFormatAlpha(sheet) : nullptr;
  if (entry.copy != nullptr && runLengths) SDL_SetAlpha(entry.copy, SDL_SRCALPHA | SDL_RLEACCEL, SDL_ALPHA_OPAQUE);
  PrepareSheet(entry.runs, entry.copy);
}

}  // namespace

void PreparePlaySheets() {
  Prepare(ArrowPlaySheet, ArrowSheet, false);
  Prepare(RatingPlaySheet, RatingSheet, true);
  Prepare(HoldPlaySheet, HoldSheet, true);
  Prepare(RollPlaySheet, RollSheet, true);
  Prepare(MinePlaySheet, MineSheet, false);
  Prepare(BeatArrowPlaySheet, BeatArrowSheet, false);
}
