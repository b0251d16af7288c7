// Shared by the gameplay tests and benchmarks: a play state driven by hand,
// and made-up gameplay sheets whose cells each have a colour of their own.
#pragma once
#include <SDL.h>

#include <cstdint>

#include "game/judgement.h"
#include "game/media.h"
#include "game/notes.h"
#include "game/song_start.h"
#include "kit/chrome.h"
#include "kit/images.h"
#include "kit/input.h"
#include "test_support.h"

// A song at position 0 with empty lists, zero counters and no keys down.
inline void ResetPlay() {
  ResetInput();
  EmptyNoteList();
  EmptyPopupList();
  ResetPlayState();
  GameClockMs = 0;
  PlayStart = 0;
  FrameDelta = 0;
}

inline void AddNote(int column, int time, int hold = 0) { AppendNote(Note{column, time, hold}); }

// One play frame's judgement with the song at songMs.
inline void JudgeAt(int32_t songMs) {
  GameClockMs = PlayStart + songMs;
  AdvanceSongClock();
  UpdateJudgement();
}

// Colour of arrow cell (column, row) and of the three rating and hold cells.
inline Uint32 ArrowColour(int column, int row) {
  return (Uint32(20 + 50 * column) << 16) | (Uint32(20 + 50 * row) << 8) | 99;
}
inline constexpr Uint32 RatingColours[3] = {0xC00000, 0x00C000, 0x0000C0};
inline constexpr Uint32 HoldColours[3] = {0xFF4040, 0x40FF40, 0x4040FF};
inline constexpr Uint32 HoldTopColours[3] = {0xFFFF00, 0x00FFFF, 0xFF00FF};  // first row of each hold cell

inline SDL_Surface* SolidImage(int w, int h, Uint32 rgb) {
  return MakeImage(w, h, (rgb >> 16) & 255, (rgb >> 8) & 255, rgb & 255);
}

inline void FillImageRect(SDL_Surface* image, int x, int y, int w, int h, Uint32 rgb) {
  SDL_Rect area = {static_cast<Sint16>(x), static_cast<Sint16>(y), static_cast<Uint16>(w), static_cast<Uint16>(h)};
  SDL_FillRect(image, &area, SDL_MapRGBA(image->format, (rgb >> 16) & 255, (rgb >> 8) & 255, rgb & 255, 255));
}

// Installs made-up sheets in the screen's 32-bit world and fills the cell
// tables the way the game's media loader does.
inline void InstallTestSheets() {
  OpenTestScreen();
  for (SDL_Surface* old : {ArrowSheet, RatingSheet, HoldSheet}) SDL_FreeSurface(old);
  ArrowSheet = SolidImage(280, 280, 0);
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c) {
      FillImageRect(ArrowSheet, 70 * c, 70 * r, 70, 70, ArrowColour(c, r));
      ArrowCells[c + 4 * r] = MakeRect(70 * c, 70 * r, 70, 70);
    }
  RatingSheet = SolidImage(125, 150, 0);
  for (int i = 0; i < 3; ++i) {
    FillImageRect(RatingSheet, 0, 50 * i, 125, 50, RatingColours[i]);
    RatingCells[i] = MakeRect(0, 50 * i, 125, 50);
  }
  HoldSheet = SolidImage(150, 35, 0);
  for (int i = 0; i < 3; ++i) {
    FillImageRect(HoldSheet, 50 * i, 0, 50, 35, HoldColours[i]);
    FillImageRect(HoldSheet, 50 * i, 0, 50, 1, HoldTopColours[i]);
    HoldCells[i] = MakeRect(50 * i, 0, 50, 35);
  }
}
