// The notes of one StepMania chart: its note data (measures of rows, "," between
// measures) turned into the game's notes, timed by the chart's timing.
//
// A measure's rows are spread evenly over its four beats: row k of n in
// measure m lies at beat 4m + 4k/n, rounded to the timing's grid of rows. A
// row is a line of four note characters, each maybe followed by a keysound
// ("1[3]") or attributes ("{...}"); other lines (blanks, the eight columns of
// a doubles chart) are no rows. "1" is a step, "2" starts a hold and "4" a
// roll, "3" ends either; "M" is a mine; lifts "L", keysounds "K", fakes "F"
// and all else give nothing, and nor does a row the timing does not play.
// Each arrow keeps its place in the beat from its row.
#pragma once
#include <string_view>
#include <vector>

#include "charts/chart_file.h"
#include "charts/step_file_timing.h"

inline constexpr int MostNotesPerBlock = 1000;  // later notes and hold ends of a chart are dropped

// The notes of the chart in row order; within a row steps come before hold
// starts, each by column. A hold end gives its length to the newest note of
// its column, if a hold was started in that column since its last end and
// that start was played; otherwise it gives nothing. An end in a warp or a
// fake span still ends its hold there: StepMania keeps a hold by its start. The timing must be
// prepared; without a tempo there are no notes. The chart's difficulty and meter are the caller's.
ChartSection StepChartNotes(std::string_view noteData, const StepTiming& timing);

// The place in the beat of a row of the 48-row grid.
BeatPlace RowBeatPlace(int64_t row);

// Whether the line (blanks around it aside) is one row of four note characters.
bool IsStepRow(std::string_view line);
