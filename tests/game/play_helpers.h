// Shared by the gameplay tests and benchmarks: a play state driven by hand,
// and made-up sheets in which every cell has a colour of its own.
#pragma once
#include <SDL.h>

#include "game/judgement.h"
#include "game/media.h"
#include "kit/clock.h"
#include "kit/pause.h"
#include "kit/pause_pixels.h"
#include "kit/images.h"
#include "kit/input.h"
#include "test_support.h"

inline void ResetPlay() {
  ResetInput();
  NoteList.clear();
  MineList.clear();
  PopupList.clear();
  ResetPlayState();
  GameClockMs = PlayStart = FrameDelta = 0;
}

inline void AddNote(int column, int time, int hold = 0) { NoteList.push_back(Note{column, time, hold}); }

// One play frame's judgement with the song at songMs.
inline void JudgeAt(int32_t songMs) {
  GameClockMs = PlayStart + songMs;
  AdvanceSongClock();
  UpdateJudgement();
}

inline Uint32 ArrowColour(int column, int row) {
  return ((20u + 50 * column) << 16) | ((20u + 50 * row) << 8) | 99;
}
inline constexpr Uint32 RatingColours[3] = {0xC00000, 0x00C000, 0x0000C0};
inline constexpr Uint32 HoldColours[3] = {0xFF4040, 0x40FF40, 0x4040FF};
inline constexpr Uint32 HoldTops[3] = {0xFFFF00, 0x00FFFF, 0xFF00FF};  // first row of each hold cell

inline void Paint(SDL_Surface* image, int x, int y, int w, int h, Uint32 rgb) {
  SDL_Rect area = MakeRect(x, y, w, h);
  SDL_FillRect(image, &area, SDL_MapRGBA(image->format, rgb >> 16, (rgb >> 8) & 255, rgb & 255, 255));
}

// Fills the cell tables the way the game's media loader does.
inline void InstallTestSheets() {
  OpenTestScreen();
  for (SDL_Surface* old : {ArrowSheet, RatingSheet, HoldSheet}) SDL_FreeSurface(old);
  ArrowSheet = MakeImage(280, 280, 0, 0, 0);
  RatingSheet = MakeImage(125, 150, 0, 0, 0);
  HoldSheet = MakeImage(150, 35, 0, 0, 0);
  for (int i = 0; i < 16; ++i) {
    ArrowCells[i] = MakeRect(70 * (i % 4), 70 * (i / 4), 70, 70);
    Paint(ArrowSheet, 70 * (i % 4), 70 * (i / 4), 70, 70, ArrowColour(i % 4, i / 4));
  }
  for (int i = 0; i < 3; ++i) {
    RatingCells[i] = MakeRect(0, 50 * i, 125, 50);
    Paint(RatingSheet, 0, 50 * i, 125, 50, RatingColours[i]);
    HoldCells[i] = MakeRect(50 * i, 0, 50, 35);
    Paint(HoldSheet, 50 * i, 0, 50, 35, HoldColours[i]);
    Paint(HoldSheet, 50 * i, 0, 50, 1, HoldTops[i]);
  }
  PreparePlaySheets();
}
