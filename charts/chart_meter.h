// A chart's difficulty number: the one its author gave it (a step file's
// "#METER"), else one estimated from the chart itself on the same scale, so
// that a made chart and an imported one of the same density read the same.
#pragma once
#include <array>
#include <string>
#include <vector>

#include "charts/chart_file.h"

struct ChartMeter {
  int number = 0;          // 0: the song has no chart of that difficulty
  bool estimated = false;  // worked out from the notes, not given by the author
};

// The estimate: from the arrows a second over the chart's densest stretches,
// a jump counting more than a step and a hold or roll more than a tap; 1 for
// a chart without notes, growing with density.
int EstimatedMeter(const std::vector<Note>& notes);

// The chart's number as given, else estimated.
ChartMeter MeterOf(const ChartSection& chart);

// The numbers of a song's charts by difficulty (song below Music/, as
// SelectedSong), read as the difficulty select reads them.
// With `present`, also which difficulties the chart has, from the same one reading.
std::array<ChartMeter, DifficultyCount> ChartMeters(const std::string& song, bool* present = nullptr);

// As the difficulty select shows it: "11", "~9" for an estimate, "" for none.
std::string MeterLabel(const ChartMeter& meter);
