// What the sound card holds, measured from the calls its audio thread makes.
// SDL writes silence to a device while it stands paused, and so while
// SDL_mixer opens it, before the mixer's first call: the calls of the
// opening miss that much of what the card holds. So the card is measured
// twice: roughly from the opening, then, after running it dry (the audio
// thread kept waiting for longer than that holds, with nothing to play yet),
// from the calls that fill it again, every sample of which the mixer made.
// Used by kit/audio alone.
#pragma once
#include <cstdint>

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
