// The timing of one song's judged presses: how early or late each tap was
// pressed, for the results and the line printed after every play.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// One judged press: when its note was due and how far from that it came.
struct PressTiming {
  int32_t noteMs;    // the note's time in the song
  int32_t offsetMs;  // press time - note time: negative early, positive late
  int rating;        // Good or Perfect (game/play_state.h)
};

// The presses of the song being played, in the order judged; emptied by the song start.
inline std::vector<PressTiming> PressTimings;

// The mean and the spread (standard deviation) of the offsets, in ms; both 0 without presses.
struct TimingSummary {
  double meanMs = 0;
  double spreadMs = 0;
  int presses = 0;
};
TimingSummary SummariseTiming(const std::vector<PressTiming>& presses);

// What the audio offset should change by after a play, so that the next
// play's mean is this one's less it: the rounded mean, offered only after at
// least 20 presses whose mean is 5 ms or more from zero and whose spread is
// under 40 ms; nothing otherwise.
std::optional<int> OffsetAdjustment(const TimingSummary& summary);

// A signed figure with one decimal, "+3.1" or "-0.4"; a value that rounds to zero is "+0.0".
std::string SignedTenths(double value);

// One decimal, "4.2".
std::string Tenths(double value);
