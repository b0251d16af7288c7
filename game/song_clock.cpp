// The song clock's source.
#include "game/song_clock.h"

#include <algorithm>

#include "game/play_state.h"
#include "kit/audio.h"

int32_t HeardSongMs(int32_t gameClockMs, uint32_t ticks, bool read) {
  // Unsigned: a clock that wraps after 24 days steps on instead of overflowing.
  const int32_t wall = static_cast<int32_t>(static_cast<uint32_t>(gameClockMs) - static_cast<uint32_t>(PlayStart));
  if (!MusicClockRuns() || CurrentMusic == nullptr) return wall;
  const int32_t heard = read ? ReadHeardMs(ticks) : HeardMsAt(ticks);
  return CountedSamples(CurrentMusicClock()) == 0 ? std::min(wall, heard) : heard;
}
