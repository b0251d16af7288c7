// The chart generator screen: asks for the song's tempo, first beat and
// length, and on "Accept" writes a random chart with all five difficulties,
// asking first when the song has a chart.
#pragma once
#include <string>

// The three questions; they live for the whole run, so the next song starts
// from the last song's answers. Each click moves a value by one, within the
// generator's bounds (charts/generator.h).
inline int CreateBpm = 115;       // beats per minute
inline int CreateDelayMs = 3075;  // time of the first beat after the music starts
inline int CreateBeats = 216;     // beats that get arrows

// Why "Accept" could not save the chart, shown under it until the screen is
// left; empty for none.
inline std::string CreateNotice;

// Called every frame while Screen is ChartCreate.
void RunChartCreate();
