// The sound card's depth: two records of the device's calls and the thread that reads them.
#include "kit/audio_device.h"

#include <SDL.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <thread>
#include <vector>

#include "kit/audio.h"
#include "kit/clock.h"

namespace {

// The calls of one stretch from its first on: the audio thread fills a slot,
// then publishes it by the count.
struct CallRecord {
  DeviceCall calls[OpeningCallsKept];
  std::atomic<int> count{0};
};
CallRecord Opening, Refill;
std::atomic<CallRecord*> Recording{nullptr};  // the one being filled; null between them
uint64_t DeviceTaken = 0;  // every sample mixed since the record began: the audio thread's, or the mixer lock's holder's

std::atomic<int64_t> Depth{-1};
std::atomic<bool> DepthFinal{false};
std::atomic<bool> Stopping{false};
std::atomic<bool> Measuring{false};  // the measuring thread runs (detached: the game may end without closing the device)

// Waits up to ms, in steps, unless the device is closing; whether it may go on.
bool Rest(uint32_t ms) {
  for (uint32_t waited = 0; waited < ms && !Stopping; waited += 10) SDL_Delay(10);
  return !Stopping;
}

int64_t MeasureRecord(const CallRecord& record, int rate, int64_t buffer, uint32_t steadyMs) {
  return MeasureDepth(record.calls, record.count.load(std::memory_order_acquire), rate, buffer, steadyMs);
}

// Whether a record's calls span the time kept (or fill it).
bool RecordComplete(const CallRecord& record) {
  const int count = record.count.load(std::memory_order_acquire);
  return count == OpeningCallsKept || (count > 0 && ClockTicks() - record.calls[0].stampMs > OpeningMs);
}

void Measure(int rate, int64_t buffer) {
  // Roughly, from the opening: short by the silence written before the mixer ran.
  int64_t rough = -1;
  for (int tries = 0; rough < 0 && tries < 100 && Rest(10); ++tries) rough = MeasureRecord(Opening, rate, buffer, 100);
  if (Stopping) return;
  if (rough < 0) rough = 3 * buffer;
  Depth = rough;
  // Dry: held for what it holds, and what SDL may have written unseen (a few
  // buffers), and a margin. Nothing plays yet, so nothing is heard missing.
  const uint32_t dryMs = static_cast<uint32_t>((rough + 8 * buffer) * 1000 / rate) + 100;
  SDL_LockAudio();
  DeviceTaken = 0;
  Recording = &Refill;
  Rest(dryMs);
  SDL_UnlockAudio();
  // Exactly, from the refill: on what it shows after a steady stretch, final once it spans its time.
  while (Rest(10) && !RecordComplete(Refill)) {
    const int64_t depth = MeasureRecord(Refill, rate, buffer, OpeningSteadyMs);
    if (depth >= 0) Depth = depth;
  }
  if (Stopping) return;
  int64_t depth = MeasureRecord(Refill, rate, buffer, OpeningSteadyMs);
  // A refill that lost time all along still says more than the rough measure: its best stretch, however short.
  if (depth < 0) depth = MeasureRecord(Refill, rate, buffer, 50);
  if (depth >= 0) Depth = depth;
  DepthFinal = true;
  std::fprintf(stderr, "Zedov: the sound card holds %d ms\n", static_cast<int>(Depth * 1000 / rate));
}

}  // namespace

void RecordDeviceCall(uint64_t samples, uint32_t stampMs) {
  DeviceTaken += samples;
  CallRecord* record = Recording.load(std::memory_order_acquire);
  if (record == nullptr) return;
  const int count = record->count.load(std::memory_order_relaxed);
  if (count == OpeningCallsKept || (count > 0 && stampMs - record->calls[0].stampMs > OpeningMs)) return;
  record->calls[count] = DeviceCall{DeviceTaken, stampMs};
  record->count.store(count + 1, std::memory_order_release);
}

void StartMeasuringDevice(int rate, int64_t buffer) {
  Measuring = true;
  std::thread([rate, buffer] {
    Measure(rate, buffer);
    Measuring = false;
  }).detach();
}

void StopMeasuringDevice() {
  Stopping = true;
  while (Measuring) SDL_Delay(1);
  Stopping = false;
  Recording = nullptr;
}

void ResetDeviceRecords() {
  DeviceTaken = 0;
  Opening.count = 0;
  Refill.count = 0;
  Depth = -1;
  DepthFinal = false;
  Recording = &Opening;
}

int64_t MeasuredDeviceDepth(bool* final) {
  if (final != nullptr) *final = DepthFinal;
  return Depth;
}

int64_t MeasureDepth(const DeviceCall* calls, int count, int rate, int64_t buffer, uint32_t steadyMs) {
  // The calls by ms since the first, and their upper hull. The device's line
  // has every call on or below it: those of the burst (not yet full), those
  // stamped late, and all after a stall or a dry card, which lose time. Its
  // line is the earliest long hull edge at a plausible rate (the least way
  // back to the first call), and its height there is what the device holds.
  struct Point {
    double ms, counted;
  };
  std::vector<Point> hull;
  auto under = [](const Point& a, const Point& b, const Point& c) {  // b on or below a to c
    return (b.counted - a.counted) * (c.ms - a.ms) <= (c.counted - a.counted) * (b.ms - a.ms);
  };
  for (int i = 0; i < count; ++i) {
    const Point p{static_cast<double>(calls[i].stampMs - calls[0].stampMs), static_cast<double>(calls[i].counted)};
    if (!hull.empty() && hull.back().ms == p.ms) hull.pop_back();  // the later call of a stamp took more
    while (hull.size() >= 2 && under(hull[hull.size() - 2], hull.back(), p)) hull.pop_back();
    hull.push_back(p);
  }
  double bestMs = 0, depth = 0;
  for (size_t i = 1; i < hull.size(); ++i) {
    const double spanMs = hull[i].ms - hull[i - 1].ms;
    const double perMs = (hull[i].counted - hull[i - 1].counted) / spanMs;
    if (perMs < rate * 0.0009 || perMs > rate * 0.0011 || spanMs <= bestMs) continue;
    bestMs = spanMs;
    depth = hull[i].counted - perMs * hull[i].ms;
    if (bestMs >= steadyMs) break;
  }
  if (bestMs < steadyMs) return -1;
  return std::max(static_cast<int64_t>(std::lround(depth)), buffer);
}
