// Starting a song: the one frame between the difficulty select and play.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "charts/chart_file.h"
#include "kit/audio.h"

// "cannot play <file>: <reason>" when the last song start found music it could
// not play; empty otherwise. The difficulty select shows it.
inline std::string MusicProblem;

// Loads the music and the chart section of the difficulty, empties the
// popups, zeroes the counters, starts the music and anchors the song clock
// to the game clock at the moment the music started. With a lead-in the
// music starts paused (LeadingIn) and the song clock starts that far below zero. Music that cannot be
// played starts nothing: false, with MusicProblem set.
bool StartSong(const std::string& song, int difficulty);

// The lead-in: how much later than the song start the music begins, so that
// the first note's arrow enters from the window's bottom edge. It is the part
// of the arrow's rise (bottom edge to target line, at the scroll speed) that
// the first note, drawn offsetMs later (the audio and visual offsets), leaves
// uncovered; 0 for a chart that starts late enough, or has no notes.
int32_t LeadInMs(const std::vector<Note>& notes, double scrollSpeed, int32_t offsetMs);

// Loads a song's music with the decoder its content calls for (an Ogg file
// named .mp3 plays as Ogg); null when it would not load. Ask MusicFault first.
Music* LoadSongMusic(const std::string& path);
