// The chart generator: a random chart of all five difficulties from the
// song's tempo, the time of its first beat and its number of beats.
#pragma once
#include <string>
#include <vector>

#include "charts/chart_file.h"

// The chart text, drawing rand() in a fixed order: Beginner, Easy, Medium,
// Hard, Challenge. Beginner and Easy step on some beats (Beginner on the
// outer columns only), Medium and Hard on every beat, Challenge on every half
// beat. A tempo of 0 or no beats writes the five sections without notes.
// The tempo may have a fraction: a whole one gives the same text as ever.
std::string GenerateChartText(double bpm, int firstBeatMs, int beats);

// The chart text of the five difficulties' notes, in their order; a
// difficulty without notes is written as its start tag and "<stop>".
std::string FiveSectionText(const std::vector<Note> (&notes)[DifficultyCount]);

// What the generator's settings may be: a tempo of 1 to 999 BPM, a first beat
// up to ten minutes in, 1 to 1000 arrows.
struct SettingBounds {
  int low;
  int high;
};
inline constexpr SettingBounds BpmBounds{1, 999};
inline constexpr SettingBounds DelayBounds{0, 600000};
inline constexpr SettingBounds BeatBounds{1, 1000};
