// The results' picture of the player's timing: every judged press as a dot
// over the song's time (x) and its offset (y: late above, early below, from
// the earliest GOOD to the latest), coloured by its judgement, over the
// PERFECT band and the zero line. With the mean and spread beside the counts.
#pragma once
#include <vector>

#include "game/judgement.h"
#include "game/press_timing.h"
#include "kit/panels.h"

inline constexpr Box TimingPlot{95, 288, 520, 108};  // between the score rows and the message line
inline constexpr int EarliestOffsetMs = -GoodWithinMs;  // the earliest GOOD
inline constexpr int LatestOffsetMs = MissAfterMs;      // later than this a note is swept as BOO

// Draws the plot with its "LATE" and "EARLY" labels.
void DrawTimingPicture(const std::vector<PressTiming>& presses);

// The mean and spread rows, right of the counts: "MEAN +3.1 ms", "SPREAD 4.2 ms".
void DrawTimingFigures(const TimingSummary& summary);

// The plot row of an offset, kept within the plot: LatestOffsetMs at its top row.
int OffsetRow(int offsetMs);

// The plot column of a note's time, for a song whose last judged note is at lastMs.
int SongColumn(int noteMs, int lastMs);
