// The difficulty select: the hub for one song. Lists the difficulties its
// chart file holds with their best scores, and leads to the chart makers.
#pragma once

#include <string>

#include "charts/difficulty.h"

// Whether the song's chart file has a section of each difficulty; set on entry.
inline bool ChartHasDifficulty[DifficultyCount];

// Set when the player comes back from a song (its results, its pause, "Back"
// or music that would not play): the keyboard focus then starts on its row.
inline bool FocusPlayedChart = false;

// The best score shown on a difficulty's row: "57%", and nothing for a chart never played.
std::string BestScoreLabel(int difficulty);

// Called every frame while Screen is DifficultySelect.
void RunDifficultySelect();
