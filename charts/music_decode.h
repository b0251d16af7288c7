// Music decoded to samples for the analysis, by the very decoders the game's
// mixer plays with (libmad for MP3, libvorbisfile for OGG), every frame kept
// as the mixer keeps it: sample 0 here is sample 0 of what the player hears.
#pragma once
#include <atomic>
#include <string>
#include <vector>

// One channel (the mix of all) at the file's own rate, in -1..1.
struct DecodedMusic {
  std::vector<float> samples;
  int rate = 0;
};

// Longest music decoded; the rest of a longer file is left out.
inline constexpr double LongestDecodedSeconds = 15 * 60;

// Decodes the bytes of an OGG Vorbis or MP3 file, told apart by what they
// hold (OggS; an ID3 tag or an MPEG frame sync). False, with why, for
// anything that gives no sound. Stops early, false, once cancel is set;
// progress goes from 0 to 1 through the bytes.
bool DecodeMusicBytes(const std::string& bytes, DecodedMusic& music, std::string& why,
                      const std::atomic<bool>* cancel = nullptr, std::atomic<float>* progress = nullptr);

// The same for a file (at most 512 MB of it) that the game can play, else
// false with the reason it cannot (charts/music_file).
bool DecodeMusicFile(const std::string& path, DecodedMusic& music, std::string& why,
                     const std::atomic<bool>* cancel = nullptr, std::atomic<float>* progress = nullptr);
