// The chart generator screen: asks for the song's tempo, first beat and
// length, and on "Accept" writes a random chart with all five difficulties.
#pragma once

// The three questions; they live for the whole run, so the next song starts
// from the last song's answers. Each click moves a value by one, unbounded.
inline int CreateBpm = 115;       // beats per minute
inline int CreateDelayMs = 3075;  // time of the first beat after the music starts
inline int CreateBeats = 216;     // beats that get arrows

// Called every frame while Screen is ChartCreate.
void RunChartCreate();
