// What the music itself tells about a song: its tempo, the time of its first
// beat and its length in beats, how sure that is, and where its notes begin.
// Samples in, results out: decoding lives in charts/music_decode.
#pragma once
#include <atomic>
#include <cstddef>
#include <vector>

// A note beginning: when (ms from the music's start), how strong (1 is the
// song's typical strong attack), and how long its sound is held after it.
struct Onset {
  double timeMs = 0;
  float strength = 0;
  float heldMs = 0;
};

// Below this confidence the music gave no clear steady beat.
inline constexpr double SureConfidence = 0.5;

struct MusicAnalysis {
  // The beat a dancer steps, to a thousandth of a BPM; 0 when the music has
  // no clear steady beat (then firstBeatMs and beats are 0 too).
  double bpm = 0;
  double firstBeatMs = 0;  // the first beat at or after the music's first attack
  int beats = 0;           // beats from the first up to the music's last sound
  double confidence = 0;   // 0..1: how clearly the onsets keep to that grid
  double doubleBpm = 0, halfBpm = 0;   // the tempi a player may hear instead
  double startMs = 0, endMs = 0;       // the music's first and last sound
  std::vector<Onset> onsets;           // in time order
};

// Analyses one channel of samples at `rate` per second. Stops early, with an
// empty result, once cancel is set; progress goes from 0 to 1.
MusicAnalysis AnalyseMusic(const float* samples, size_t count, int rate,
                           const std::atomic<bool>* cancel = nullptr, std::atomic<float>* progress = nullptr);
