// The screens the dispatcher runs and the selection they share: which song
// and difficulty were chosen, and the song's best scores.
#pragma once
#include <cstdint>
#include <string>

#include "charts/difficulty.h"

enum class ScreenId : int {
  Title,
  Credits,
  SongSelect,
  DifficultySelect,
  ChartCreate,
  ChartImport,
  SongStart,
  Play,
  Results,
  Options,
  Calibration,
};

inline ScreenId Screen = ScreenId::Title;     // written by screens; the new screen runs from the next frame
inline bool ScreenChanged = false;  // true during the first frame of a newly entered screen
inline bool QuitRequested = false;  // ends the main loop after the current frame
// A still screen that will look different by itself at this GameClockMs (a
// banner or a preview due) sets it each frame; -1: not before some input.
inline int32_t ScreenDueMs = -1;

inline std::string SelectedSong;             // file name in Music/, extension included
inline int SelectedDifficulty = Beginner;    // written by the difficulty select only
inline int BestScores[DifficultyCount];      // best score percentages of SelectedSong
