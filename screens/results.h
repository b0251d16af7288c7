// The results screen: the song's counters, points and score, and the best
// score of the difficulty, raised and saved when beaten.
#pragma once
#include <cstdint>
#include <string>

#include "game/press_timing.h"

// The best score of the played difficulty from before this play ("HIGH
// SCORE"), NeverPlayed for a first play; and whether this play beat it.
inline int PreviousBest = 0;
inline bool NewBest = false;

// The one line under the results, centred on y 410 (a best score that could
// not be saved); empty for none. Set by the entry work.
inline std::string ResultsNotice;

// Called every frame while Screen is Results.
void RunResults();

// (BooCount + GoodCount + PerfectCount) x 11: 10 for a PERFECT, 1 toward the combo.
int64_t MaxPoints();
// 7 per GOOD, 10 per PERFECT, plus the longest combo, less MinePenalty per mine hit; never below 0.
int64_t YourPoints();
// The percentage reached, truncated: the division comes before the x 100.0,
// so 319 of 550 is 57. A song without notes scores 0.
int ScorePercent(int64_t yourPoints, int64_t maxPoints);

// The line printed to standard output when the results appear:
// Zedov: "Song" medium: 57%, 25 perfect, 8 good, 17 boo; timing mean +3.1 ms, sd 4.2 ms over 33 presses
std::string PlayLine(int score, const TimingSummary& timing);

// Entry work: keep the old best, raise it when beaten (a first play always
// sets it), write the file. When the file cannot be written the best stays as
// it was and ResultsNotice says why.
void RecordBest(int score);
