// The charts of songs in song folders, made from their step files when the
// song is chosen: nothing in a pack has to be converted by hand.
//
// The chart lies beside the music as for any song (Pack/Song/Track.ogg.tq).
// With no chart there, the song folder's step file (a .ssc before a .sm) is
// converted and written. A chart made that way starts with MadeFromStepFile,
// and is made again when the step file is newer than it; any other chart (the
// generator's, an import's) is the player's and is never replaced. Where the
// folder cannot be written, or lies outside Music/, the chart is converted in
// memory and played from there; the song's score then cannot be kept.
#pragma once
#include <string>
#include <vector>

#include "charts/chart_file.h"

// What choosing a song did to its chart.
enum class ChartMade : int {
  Kept,      // the chart on disk stands (or there is no step file, or nothing in it to play)
  Written,   // the chart was made from the step file and written beside the music
  InMemory,  // the chart was made, but could not be written: it is held in memory
};

// Called on entering the song's difficulty select (song below Music/, as SelectedSong).
ChartMade PrepareSongChart(const std::string& song);

// Whether the song plays from a chart held in memory, so that its score cannot be kept.
bool ChartInMemory(const std::string& song);

// Why the song's score cannot be kept: the failed chart write's reason for a
// chart held in memory, OutsideMusicLine for a folder outside Music/; empty
// when it can be written.
std::string WhyScoreIsNotKept(const std::string& song);

// The song's chart as the difficulty select and the song start read it: from
// memory for a song whose chart is held there, else from its chart file.
void ReadSongDifficulties(const std::string& song, bool flags[DifficultyCount]);
std::vector<Note> ReadSongSection(const std::string& song, int difficulty);
ChartSection ReadSongChart(const std::string& song, int difficulty);  // with its mines and meter
std::string SongChartText(const std::string& song);  // the whole chart's text, its first 16 MB
