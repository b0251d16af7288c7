// The high-score file of a song ("Music/<song>.score"): the best score
// percentage of each difficulty, five lines of one number each. A difficulty
// never played is written as -1, so that a real 0 % stays a score; files of
// earlier versions, with 0 there, read as they always did.
#pragma once
#include <string>

#include "charts/difficulty.h"

inline constexpr int NeverPlayed = -1;  // a best that does not exist yet

// Reads the five best scores, one integer each; a negative one is NeverPlayed.
// The first read that fails (missing file, too few numbers, a word, a number
// beyond int) leaves that score and all later ones NeverPlayed. The file's
// first 16 MB are read (see ReadFileStart).
void ReadBestScores(const std::string& path, int scores[DifficultyCount]);

// The file's text: five lines, one number each.
std::string ScoreFileText(const int scores[DifficultyCount]);

// Replaces the file whole; false (and the old file kept) when that fails,
// with why (see ReplaceFile).
bool WriteScoreFile(const std::string& path, const int scores[DifficultyCount], std::string& why);
bool WriteScoreFile(const std::string& path, const int scores[DifficultyCount]);

// A song's chart was replaced: its bests belong to the old chart. They move to
// path + ".old" (over any older one) and the new chart starts with none.
void RetireScoreFile(const std::string& path);
