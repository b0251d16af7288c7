// What the sound card holds, measured from the calls its audio thread makes.
// SDL writes silence to a device while it stands paused, and so while
// SDL_mixer opens it, before the mixer's first call: the calls of the
// opening miss that much of what the card holds. So the card is measured
// twice: roughly from the opening, then, after running it dry (the audio
// thread kept waiting for longer than that holds, with nothing to play yet),
// from the calls that fill it again, every sample of which the mixer made.
// Used by kit/audio (and its tests) alone.
#pragma once
#include <cstdint>

#include "kit/audio.h"

// In the audio thread, after each buffer mixed: its samples and the moment.
void RecordDeviceCall(uint64_t samples, uint32_t stampMs);

// Starts the records afresh, before the device opens, so that its first call is in them.
void ResetDeviceRecords();

// Starts the measuring in a thread of its own (after the device opened), and
// stops it (before the device closes).
void StartMeasuringDevice(int rate, int64_t buffer);
void StopMeasuringDevice();

// Samples the card holds as measured so far; -1 before the first measure.
// Final once the refill has been measured (and printed).
int64_t MeasuredDeviceDepth(bool* final);

// What waits to be heard at a device's call, measured from its calls from
// the moment it stood empty on (each with the count of every sample it took
// since, music or not). A device takes what it holds at once, then a buffer
// each time it has played one, at its own rate; so its calls past that burst
// lie on a line of that rate, whose height at the first call is what it
// holds. At least the buffer being mixed; -1 before a steady stretch of
// steadyMs.
inline constexpr int OpeningCallsKept = 512;   // enough for a stretch at the smallest buffer
inline constexpr uint32_t OpeningMs = 1500;    // the calls kept from the first on
inline constexpr uint32_t OpeningSteadyMs = 200;  // the least stretch of calls whose rate is trusted
int64_t MeasureDepth(const DeviceCall* calls, int count, int rate, int64_t buffer, uint32_t steadyMs = OpeningSteadyMs);
