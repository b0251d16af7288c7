// Starting a song: the one frame between the difficulty select and play.
#pragma once
#include <string>

// "cannot play <file>: <reason>" when the last song start found music it could
// not play; empty otherwise. The difficulty select shows it.
inline std::string MusicProblem;

// Loads the music and the chart section of the difficulty, empties the
// popups, zeroes the counters, starts the music and anchors the song clock
// to the game clock at the moment the music started. Music that cannot be
// played starts nothing: false, with MusicProblem set.
bool StartSong(const std::string& song, int difficulty);

// Why the music file cannot be played, from its first bytes; empty when it
// can: an Ogg file starts with its page mark, an MP3 has two MPEG audio
// frames in a row near its start (after any ID3 tag).
std::string MusicFault(const std::string& path);
