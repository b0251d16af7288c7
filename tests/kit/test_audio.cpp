// The music's clock fed by hand: device calls as a sound card makes them,
// read every frame as the game reads it.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <utility>
#include <vector>

#include "kit/audio.h"
#include "kit/audio_device.h"

namespace {

constexpr int Buffer = 1024;
constexpr double Rate = 44100;

// A card that takes a buffer per call at speed times the nominal rate,
// standing still for stallMs at stallAtMs; its calls are stamped up to
// lateMs after the moment (the audio thread is woken late, never early).
struct Card {
  double speed = 1;
  int stallAtMs = 1 << 30, stallMs = 0;
  int lateMs = 0;
  int callsInGroup = 1;  // calls made at one moment, as a buffered writer makes them
  int held = 2;          // buffers the card holds: it takes them at once when it opens
};

// Samples the card has played at a moment, by the model the clock is built on: a call's count less what waits.
double Played(const Card& card, double ms) {
  if (ms > card.stallAtMs) ms = std::max<double>(card.stallAtMs, ms - card.stallMs);
  return ms * Rate * card.speed / 1000;
}

struct CardRun {
  Card card;
  int64_t worstBehind = 0, worstAhead = 0;  // against what was played, in samples
  bool backwards = false;
};

// Four seconds of a card read every 16 ms, what it holds measured from its
// calls since it opened, as the game does; the music from its first call
// after 200 ms, the errors from the second second on.
CardRun Play(Card card) {
  CardRun run{card};
  MusicClock clock;
  int64_t last = INT64_MIN, calls = 0;
  std::vector<std::pair<int, int64_t>> due;  // calls made, by the moment they are stamped and seen
  std::vector<DeviceCall> opening;
  int64_t music = -1;  // the device's sample that is the music's first
  for (int ms = 0; ms < 4000; ++ms) {
    // The call that hands over buffer k comes when the card has played k - held of them.
    while ((calls + card.callsInGroup - card.held) * Buffer <= Played(card, ms)) {
      calls += card.callsInGroup;
      due.emplace_back(ms + (card.lateMs > 0 ? static_cast<int>(calls * 7 % (card.lateMs + 1)) : 0), calls);
    }
    for (auto call = due.begin(); call != due.end();)
      if (call->first <= ms) {
        const DeviceCall seen{static_cast<uint64_t>(call->second) * Buffer, static_cast<uint32_t>(call->first)};
        if (seen.stampMs <= OpeningMs) opening.push_back(seen);
        if (music < 0 && seen.stampMs >= 200) music = static_cast<int64_t>(seen.counted) - Buffer;
        if (music >= 0) SeeDeviceCall(clock, seen.counted - music, seen.stampMs);
        call = due.erase(call);
      } else {
        ++call;
      }
    if (ms % 16 != 0) continue;
    const int64_t depth = MeasureDepth(opening.data(), static_cast<int>(opening.size()), AudioRate, Buffer);
    if (depth >= 0) clock.waiting = depth;
    int64_t heard = ReadHeardSample(clock, static_cast<uint32_t>(ms));
    run.backwards = run.backwards || heard < last;
    last = heard;
    int64_t error = heard - (static_cast<int64_t>(Played(card, ms)) - music);
    if (ms < 1000) continue;
    run.worstBehind = std::max(run.worstBehind, -error);
    run.worstAhead = std::max(run.worstAhead, error);
  }
  return run;
}

TEST(MusicClock, FollowsTheCardAsItPlays) {
  struct Case {
    const char* what;
    Card card;
    int behindMs, aheadMs;  // the most the clock may be behind or ahead of what is played
  } cases[] = {
      {"a steady card", {}, 1, 1},
      // Held a buffer past the last call until the next; late calls also make the measured depth a little more.
      {"calls up to 5 ms late", {1, 1 << 30, 0, 5}, 6, 2},
      {"6 % fast", {1.06}, 2, 1},
      {"6 % slow", {0.94}, 2, 3},
      {"two calls at a time", {1, 1 << 30, 0, 0, 2}, 1, 1},
      {"fast, late calls, in pairs", {1.06, 1 << 30, 0, 4, 2}, 10, 2},
      {"a 400 ms stall", {1, 2000, 400}, 1, 24},  // ahead by no more than a buffer while it stands
      {"6 % fast with a stall", {1.06, 2000, 250}, 3, 24},
      // A card that holds 371 ms, as the system's pipe does.
      {"a deep card", {1, 1 << 30, 0, 0, 1, 16}, 1, 1},
      {"deep, 6 % slow, late calls in pairs", {0.94, 1 << 30, 0, 4, 2, 16}, 5, 5},
      {"deep, 6 % fast with a stall", {1.06, 2000, 400, 0, 1, 16}, 3, 24},
  };
  for (const Case& c : cases) {
    CardRun run = Play(c.card);
    EXPECT_FALSE(run.backwards) << c.what;
    EXPECT_LE(run.worstBehind, c.behindMs * Rate / 1000) << c.what;
    EXPECT_LE(run.worstAhead, c.aheadMs * Rate / 1000) << c.what;
  }
}

TEST(MusicClock, LeadInPauseAndRestart) {
  MusicClock clock;
  EXPECT_EQ(ReadHeardSample(clock, 100), -2048) << "before its first buffer: what waits, negative";
  SeeDeviceCall(clock, 1024, 200);
  EXPECT_EQ(ReadHeardSample(clock, 200), -1024) << "the first sample is heard a buffer later";
  EXPECT_EQ(HeardSampleAt(clock, 200 + 23), -1024 + 1014);
  // Paused after four buffers: the clock plays out what the card holds, then stands.
  for (uint32_t k = 2; k <= 4; ++k) SeeDeviceCall(clock, k * 1024, 200 + 23 * (k - 1));
  const int64_t stood = ReadHeardSample(clock, 5000);
  EXPECT_EQ(stood, 4 * 1024 - 2048 + 1024);
  EXPECT_EQ(ReadHeardSample(clock, 9000), stood);
  // Resumed: no jump, on from where it stood as the new buffers come.
  SeeDeviceCall(clock, 5 * 1024, 9000);
  EXPECT_EQ(ReadHeardSample(clock, 9000), stood);
  EXPECT_EQ(ReadHeardSample(clock, 9023), 5 * 1024 - 2048 + 1014);
  // A count that starts again (the song restarted) starts the clock again.
  SeeDeviceCall(clock, 1024, 9100);
  EXPECT_EQ(CountedSamples(clock), 1024u);
  EXPECT_EQ(HeardSampleAt(clock, 9100), -1024);
}

TEST(MusicClock, BufferMilliseconds) {
  EXPECT_EQ(BufferMs(256), 6);
  EXPECT_EQ(BufferMs(1024), 23);
  EXPECT_EQ(BufferMs(2048), 46);
}

}  // namespace
