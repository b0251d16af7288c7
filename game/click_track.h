// The calibration of the audio offset: a steady click played as music, the
// same way as the songs (so with the same delay), and the player's taps on it.
// Four lead-in clicks, then 16 clicks to tap, 500 ms apart, the first of them
// 2,000 ms after the start. Each tap's offset is its time less the nearest
// click's; the median of the offsets is the delay between the game's clock
// and what the player hears.
#pragma once
#include <cstdint>
#include <optional>
#include <vector>

inline constexpr int LeadInClicks = 4;
inline constexpr int TapClicks = 16;
inline constexpr int ClickGapMs = 500;
inline constexpr int FirstTapClickMs = 2000;
inline constexpr int TapReachMs = 250;  // a tap further than this from every click is ignored

inline std::vector<int> TapOffsets;  // the offsets of this run's taps so far, in tap order
inline int32_t ClicksStart = 0;      // GameClockMs reading at which Start was pressed: the track's zero

// The offset of a tap (ms since the track started) from the nearest click to
// tap, or nothing when it is more than TapReachMs from all of them.
std::optional<int> TapOffset(int tapMs);

// The median of the offsets (the mean of the middle two, truncated, for an even count); 0 for none.
int MedianOffset(std::vector<int> offsets);

// Whether the run is over at ms since the start: 16 taps taken, or the last click's reach passed.
bool ClicksDone(int nowMs);

// Starts the click track as pressed at a GameClockMs reading, and forgets the taps.
void StartClicks(int32_t pressedAt);

// Stops the click track.
void StopClicks();

// The time into the track at a moment (its GameClockMs reading and its
// ClockTicks): the clicks heard where the device counts them, else the game
// clock since Start.
int32_t TrackMsAt(int32_t gameClockMs, uint32_t ticks);

// Takes a tap at a moment: kept when it is near a click.
void TakeTap(int32_t gameClockMs, uint32_t ticks);
