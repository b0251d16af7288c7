// The five difficulties of a chart, in the order every file and screen uses.
#pragma once

enum Difficulty : int { Beginner = 0, Easy = 1, Medium = 2, Hard = 3, Challenge = 4 };
inline constexpr int DifficultyCount = 5;

// The difficulty's word as the menus show it, by Difficulty.
inline constexpr const char* DifficultyWords[DifficultyCount] = {"beginner", "easy", "medium", "hard",
                                                                 "challenge"};

inline constexpr bool IsDifficulty(int d) { return d >= 0 && d < DifficultyCount; }
