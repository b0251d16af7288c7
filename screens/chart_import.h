// The import screen: lists the StepMania step files (.sm) of Music/ and
// converts the one clicked into the chart of the selected song.
#pragma once

// Position, among the step files, of the first file shown. Kept across visits.
inline int ImportListScroll = 0;

// Called every frame while Screen is ChartImport.
void RunChartImport();
