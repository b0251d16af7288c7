// The StepMania import screen: lists the .sm files of Music/ and converts the
// one clicked into the chart of the selected song.
#pragma once
#include <string>

inline constexpr int ImportRows = 7;  // file buttons shown at once

// Position, among the .sm files, of the first file shown. Kept across visits.
inline int ImportListScroll = 0;

// Converts "Music/" + name into the chart of SelectedSong, replacing it whole.
// A step file that cannot be opened or read leaves the old chart as it was.
void ImportStepFile(const std::string& name);

// Called every frame while Screen is ChartImport.
void RunChartImport();
