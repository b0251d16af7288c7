// The high-score file of a song ("Music/<song>.score"): the best score
// percentage of each difficulty, five lines of one number each.
#pragma once
#include <string>

#include "charts/difficulty.h"

// Reads the five best scores, one integer each. The first read that fails
// (missing file, too few numbers, a word, a number beyond int) leaves that
// score and all later ones at 0. The file's first 16 MB are read (see ReadFileStart).
void ReadBestScores(const std::string& path, int scores[DifficultyCount]);

// The file's text: five lines, one number each.
std::string ScoreFileText(const int scores[DifficultyCount]);

// Replaces the file whole; false (and the old file kept) when that fails,
// with why (see ReplaceFile).
bool WriteScoreFile(const std::string& path, const int scores[DifficultyCount], std::string& why);
bool WriteScoreFile(const std::string& path, const int scores[DifficultyCount]);
