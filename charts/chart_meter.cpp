// Difficulty numbers: given by the step file or estimated from the notes.
#include "charts/chart_meter.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <sstream>

#include "charts/chart_on_demand.h"

namespace {

constexpr int64_t StretchMs = 4000;    // one stretch of the chart
constexpr int64_t StretchStepMs = 1000;
constexpr double DensestShare = 0.25;  // the share of stretches, densest first, that counts
constexpr double JumpWeight = 0.5;     // a jump's second arrow, over a step
constexpr double HoldWeight = 0.25;    // a hold's or roll's arrow, over a tap
// The scale, fitted to the numbers authors gave the charts of real packs:
// meter points for one weighted arrow a second, and where the line starts.
constexpr double MeterPerWeight = 1.25;
constexpr double MeterOffset = -0.5;
constexpr int HighestMeter = 99;

// Each moment of the chart with the weight of its arrows: the first arrow 1,
// each further one of a jump JumpWeight, each hold or roll HoldWeight more.
std::map<int32_t, double> WeightedMoments(const std::vector<Note>& notes) {
  std::map<int32_t, double> moments;
  for (const Note& note : notes) {
    auto [at, first] = moments.try_emplace(note.time, 0.0);
    at->second += (first ? 1.0 : JumpWeight) + (note.hold > 0 ? HoldWeight : 0.0);
  }
  return moments;
}

}  // namespace

int EstimatedMeter(const std::vector<Note>& notes) {
  std::map<int32_t, double> moments = WeightedMoments(notes);
  if (moments.empty()) return 1;
  const int64_t first = moments.begin()->first, last = moments.rbegin()->first;
  std::vector<double> stretches;
  for (int64_t start = first; start <= std::max(first, last - StretchMs + 1); start += StretchStepMs) {
    double weight = 0;
    for (auto at = moments.lower_bound(static_cast<int32_t>(start));
         at != moments.end() && at->first < start + StretchMs; ++at)
      weight += at->second;
    stretches.push_back(weight * 1000.0 / StretchMs);
  }
  std::sort(stretches.rbegin(), stretches.rend());
  size_t counted = std::max<size_t>(1, static_cast<size_t>(std::ceil(stretches.size() * DensestShare)));
  double sum = 0;
  for (size_t i = 0; i < counted; ++i) sum += stretches[i];
  double meter = MeterOffset + MeterPerWeight * sum / static_cast<double>(counted);
  return std::clamp(static_cast<int>(std::lround(meter)), 1, HighestMeter);
}

ChartMeter MeterOf(const ChartSection& chart) {
  if (chart.meter > 0) return {chart.meter, false};
  return {EstimatedMeter(chart.notes), true};
}

std::array<ChartMeter, DifficultyCount> ChartMeters(const std::string& song, bool* found) {
  std::array<ChartMeter, DifficultyCount> meters{};
  std::string text = SongChartText(song);  // read once for all five
  bool present[DifficultyCount];
  ChartTextDifficulties(text, present);
  std::istringstream in(std::move(text));  // no second copy of a chart of many megabytes
  for (int d = 0; d < DifficultyCount; ++d) {
    if (!present[d]) continue;
    in.clear();
    in.seekg(0);
    meters[d] = MeterOf(ReadChart(in, d));
  }
  if (found != nullptr) std::copy(present, present + DifficultyCount, found);
  return meters;
}

std::string MeterLabel(const ChartMeter& meter) {
  if (meter.number <= 0) return "";
  return (meter.estimated ? "~" : "") + std::to_string(meter.number);
}
