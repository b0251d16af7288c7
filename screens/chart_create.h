// The chart generator screen: finds the song's tempo, first beat and length
// in its music (on entry, while the window keeps running), lets the player
// set them, and on "Accept" writes a chart with all five difficulties, of
// arrows where the music is or at random on the beats, asking first when the
// song has a chart.
#pragma once
#include <string>

// The three questions; they live for the whole run, so the next song starts
// from the last song's answers. Each click moves a value by one, within the
// generator's bounds (charts/generator.h). The music's analysis fills them
// when it is sure of the beat; the tempo keeps its fraction (to 0.001 BPM).
inline double CreateBpm = 115;    // beats per minute
inline int CreateDelayMs = 3075;  // time of the first beat after the music starts
inline int CreateBeats = 216;     // beats that get arrows

// What the arrows follow: where the music is (its onsets on the beat grid),
// the default once the analysis is sure, or random on the beats, as the
// generator has always made them.
enum class ArrowsFrom : int { Music, RandomBeats };
inline ArrowsFrom CreateArrows = ArrowsFrom::RandomBeats;

// Why "Accept" could not save the chart, shown under it until the screen is
// left; empty for none.
inline std::string CreateNotice;

// Called every frame while Screen is ChartCreate.
void RunChartCreate();

// Whether the screen is listening to the song's music (its picture changes every frame).
bool ChartCreateListening();
