// The screen numbers and the selection state that the screens share.
#pragma once
#include <string>

// Which screen the dispatcher runs. The value 2 is not used by any screen.
enum ScreenId : int {
  Title = 0,
  Credits = 1,
  SongSelect = 3,
  DifficultySelect = 4,
  ChartCreate = 5,
  ChartImport = 6,
  SongStart = 7,
  Play = 8,
  Results = 9,
};

// 0 beginner, 1 easy, 2 medium, 3 hard, 4 challenge, in this order everywhere.
enum Difficulty : int { Beginner = 0, Easy = 1, Medium = 2, Hard = 3, Challenge = 4 };
inline constexpr int DifficultyCount = 5;

inline int Screen = Title;          // written by screens; the new screen runs from the next frame
inline bool ScreenChanged = false;  // true during the first frame of a newly entered screen
inline bool QuitRequested = false;  // ends the main loop after the current frame

inline std::string SelectedSong;         // file name in Music/, extension included
inline int SelectedDifficulty = Beginner;
inline int BestScores[DifficultyCount];  // best score percentages of SelectedSong
