// The difficulty select: the hub for one song. Lists the difficulties its
// chart file holds with their best scores, and leads to the chart makers.
#pragma once

#include "charts/difficulty.h"

// Whether the song's chart file has a section of each difficulty; set on entry.
inline bool ChartHasDifficulty[DifficultyCount];

// Called every frame while Screen is DifficultySelect.
void RunDifficultySelect();
