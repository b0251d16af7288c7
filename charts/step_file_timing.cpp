// The timing of a step file: beats to milliseconds through tempo changes and stops.
#include "charts/step_file_timing.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <vector>

#include "charts/clamp.h"
#include "charts/text.h"

namespace {

constexpr double RowsPerBeat = 48;         // StepMania keeps beats on a grid of 48ths
constexpr size_t MostTimingEntries = 10000;  // bounds the lists of a hostile file
constexpr double SameBeat = 1e-6;          // beats closer than this are one beat

struct TimingPoint {
  double beat;
  double value;    // tempo in beats per minute, or stop length in seconds
  double seconds;  // music seconds from beat 0 to the tempo change, or stop time before this stop
};

double OffsetSeconds = 0;
std::vector<TimingPoint> Tempi;
std::vector<TimingPoint> Stops;
bool Ready = false;  // the seconds fields are worked out for the current lists

double OnBeatGrid(double beat) { return std::round(beat * RowsPerBeat) / RowsPerBeat; }

bool ByBeat(const TimingPoint& a, const TimingPoint& b) { return a.beat < b.beat; }

// Seconds of tempo from beat 0, given each change's seconds from the first change.
double TempoSeconds(double beat) {
  auto after = std::upper_bound(Tempi.begin(), Tempi.end(), TimingPoint{beat, 0, 0}, ByBeat);
  const TimingPoint& change = after == Tempi.begin() ? Tempi.front() : *(after - 1);
  return change.seconds + (beat - change.beat) * 60 / change.value;
}

void Prepare() {
  std::stable_sort(Tempi.begin(), Tempi.end(), ByBeat);
  std::stable_sort(Stops.begin(), Stops.end(), ByBeat);
  for (size_t i = 1; i < Tempi.size(); ++i)
    Tempi[i].seconds = Tempi[i - 1].seconds + (Tempi[i].beat - Tempi[i - 1].beat) * 60 / Tempi[i - 1].value;
  if (!Tempi.empty()) {
    double atBeatZero = TempoSeconds(0);
    for (TimingPoint& change : Tempi) change.seconds -= atBeatZero;
  }
  double stopped = 0;
  for (TimingPoint& stop : Stops) {
    stop.seconds = stopped;
    stopped += stop.value;
  }
  Ready = true;
}

// Seconds of the stops met before the beat.
double StoppedSeconds(double beat) {
  auto at = std::lower_bound(Stops.begin(), Stops.end(), TimingPoint{beat - SameBeat, 0, 0}, ByBeat);
  if (at == Stops.end()) return Stops.empty() ? 0 : Stops.back().seconds + Stops.back().value;
  return at->seconds;
}

}  // namespace

bool ParseStepNumber(std::string_view text, double& number) {
  text = Trimmed(text);
  if (text.starts_with('+')) text.remove_prefix(1);
  if (text.empty()) return false;
  double value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) return false;
  number = value;
  return true;
}

void SetStepOffset(double seconds) { OffsetSeconds = seconds; }

void ClearTempoChanges() {
  Tempi.clear();
  Ready = false;
}

void AddTempoChange(double beat, double bpm) {
  if (!(bpm > 0) || Tempi.size() >= MostTimingEntries) return;
  Tempi.push_back({OnBeatGrid(beat), bpm, 0});
  Ready = false;
}

void ClearStops() {
  Stops.clear();
  Ready = false;
}

void AddStop(double beat, double seconds) {
  if (!(seconds > 0) || beat < 0 || Stops.size() >= MostTimingEntries) return;
  Stops.push_back({OnBeatGrid(beat), seconds, 0});
  Ready = false;
}

bool HasStepTempo() { return !Tempi.empty(); }

int32_t StepBeatToMs(double beat) {
  if (Tempi.empty()) return 0;
  if (!Ready) Prepare();
  double ms = (TempoSeconds(beat) + StoppedSeconds(beat) - OffsetSeconds) * 1000;
  return TruncateToInt32(std::round(ms));
}
