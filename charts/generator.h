// The chart generator: a random chart of all five difficulties from the
// song's tempo, the time of its first beat and its number of beats.
#pragma once
#include <string>

// The chart text, drawing rand() in a fixed order: Beginner, Easy, Medium,
// Hard, Challenge. Beginner and Easy step on some beats (Beginner on the
// outer lanes only), Medium and Hard on every beat, Challenge on every half
// beat. A tempo of 0 or no beats writes the five sections without notes.
std::string GenerateChartText(int bpm, int firstBeatMs, int beats);
