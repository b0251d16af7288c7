// The import screen: lists the StepMania step files (.sm, .ssc) of Music/ and
// converts the one clicked into the chart of the selected song.
#pragma once
#include <string>

// Position, among the step files, of the first file shown. Kept across visits.
inline int ImportListScroll = 0;

// Why the chart of the last import could not be saved, shown under the list
// until the screen is left; empty for none.
inline std::string ImportNotice;

// Called every frame while Screen is ChartImport.
void RunChartImport();
