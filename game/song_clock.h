// The song clock's source: the music as the device plays it where the
// device counts it (kit/audio.h), else the game clock from the song's start.
#pragma once
#include <cstdint>

// The time of the song heard at a moment of this frame, before the audio
// offset: the music's position at ticks; before its first sample was mixed
// (the lead-in), the game clock's reading less PlayStart, held where the
// first sample will be. With read, the music's clock takes the reading and
// never goes back from it. Without the music's clock: gameClockMs - PlayStart.
int32_t HeardSongMs(int32_t gameClockMs, uint32_t ticks, bool read);
