// The music analysis of the songs of this run: one song at a time analysed on
// a worker thread that touches nothing but its own job, and every result
// kept until the game ends, so a second visit is instant. All calls are made
// from the game's own thread.
#pragma once
#include <string>

#include "charts/music_analysis.h"

// Starts analysing a song's music unless it has been (or is being) analysed
// in this run; a different song's analysis still running is cancelled first.
void StartSongAnalysis(const std::string& song, const std::string& musicPath);

// Takes a finished analysis into the kept ones; true while `song` is still being analysed.
bool SongAnalysing(const std::string& song);

// How far the running analysis has come, 0 to 1.
float SongAnalysisProgress();

// Cancels the running analysis, if any, and waits the moment it takes to stop.
void CancelSongAnalysis();

// The analysis of a song made in this run, or nullptr when it has none yet.
// Music that could not be decoded has one too, with no tempo and confidence 0.
const MusicAnalysis* AnalysedSong(const std::string& song);
