// The difficulty select: the hub for one song. Lists the difficulties its
// chart file holds with their best scores, and leads to the chart makers.
#pragma once
#include <string>

#include "app/screen_state.h"

// Whether the song's chart file has a section of each difficulty; set on entry.
inline bool ChartHasDifficulty[DifficultyCount];

// Sets flags[d] when some word of the file begins with the start tag of d.
// The whole file is scanned in bounded pieces; words longer than
// LongestChartToken count as no tag. A missing file sets no flag.
void ReadChartDifficulties(const std::string& path, bool flags[DifficultyCount]);

// Reads the five best scores of a high-score file, one integer each. The first
// read that fails (missing file, too few numbers, a word, a number beyond int)
// leaves that score and all later ones at 0.
void ReadBestScores(const std::string& path, int scores[DifficultyCount]);

// Called every frame while Screen is DifficultySelect.
void RunDifficultySelect();
