// Arrows where the music is: the five difficulties' charts placed on a song's
// beat grid at its onsets, from strong beats only (Beginner) to sixteenths or
// triplets (Challenge), stepped with alternating feet.
#pragma once
#include <string>
#include <vector>

#include "charts/chart_file.h"
#include "charts/difficulty.h"
#include "charts/music_analysis.h"

// An arrow (its place in the beat set) and its place on the grid: `slot`
// parts of a beat (of `slotsPerBeat`: 4 for sixteenths, 3 for triplets)
// after the first beat.
struct GridNote {
  Note note;
  int slot = 0;
  int slotsPerBeat = 4;
};

// The five charts for the onsets of `music` on the grid of `bpm` from
// `firstBeatMs` for `beats` beats (the analysis's own values or the player's),
// inside the music. The same music always gives the same charts.
std::vector<GridNote> MusicChart(const MusicAnalysis& music, double bpm, double firstBeatMs, int beats, int difficulty);

// All five as chart text; a difficulty without arrows is written bare.
std::string MusicChartText(const MusicAnalysis& music, double bpm, double firstBeatMs, int beats);
inline std::string MusicChartText(const MusicAnalysis& music) {
  return MusicChartText(music, music.bpm, music.firstBeatMs, music.beats);
}
