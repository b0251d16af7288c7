// The timing of a StepMania step file: its offset, tempo changes and stops,
// turning a beat into milliseconds of music the way StepMania plays it.
#pragma once
#include <cstdint>
#include <string_view>

// Reads a decimal number ("-0.060", "+1.5", " 140.000 "); false for anything
// else, including an empty text, trailing letters, infinities and NaN.
bool ParseStepNumber(std::string_view text, double& number);

// "#OFFSET:" in seconds: beat 0 lies at minus this value in the music.
void SetStepOffset(double seconds);

// "#BPMS:" entries. A tempo of 0 or below is skipped.
void ClearTempoChanges();
void AddTempoChange(double beat, double bpm);

// "#STOPS:" entries: the music goes on while the arrows wait this many
// seconds at the beat. Stops of 0 or less, or before beat 0, are skipped.
void ClearStops();
void AddStop(double beat, double seconds);

// Whether any tempo was read; without one no beat has a time.
bool HasStepTempo();

// The time of a beat, rounded to the nearest millisecond. Notes on a stop's
// beat are due as the stop begins.
int32_t StepBeatToMs(double beat);
