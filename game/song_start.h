// Starting a song: the one frame between the difficulty select and play.
#pragma once
#include <string>

// Loads the music and the chart section of the difficulty, empties the
// popups, zeroes the counters, starts the music and anchors the song clock
// to the game clock at the moment the music started.
void StartSong(const std::string& song, int difficulty);
