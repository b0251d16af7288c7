// The summary of a song's press timing.
#include "game/press_timing.h"

#include <cmath>
#include <cstdio>

TimingSummary SummariseTiming(const std::vector<PressTiming>& presses) {
  TimingSummary summary;
  summary.presses = static_cast<int>(presses.size());
  if (presses.empty()) return summary;
  double sum = 0;
  for (const PressTiming& p : presses) sum += p.offsetMs;
  summary.meanMs = sum / summary.presses;
  double squares = 0;
  for (const PressTiming& p : presses) squares += (p.offsetMs - summary.meanMs) * (p.offsetMs - summary.meanMs);
  summary.spreadMs = std::sqrt(squares / summary.presses);
  return summary;
}

std::optional<int> OffsetAdjustment(const TimingSummary& summary) {
  if (summary.presses < 20 || std::abs(summary.meanMs) < 5 || !(summary.spreadMs < 40)) return std::nullopt;
  return static_cast<int>(std::lround(summary.meanMs));
}

std::string SignedTenths(double value) {
  double tenths = std::round(value * 10.0);
  if (tenths == 0 || !std::isfinite(tenths)) tenths = 0;  // never "-0.0"
  char text[32];
  std::snprintf(text, sizeof text, "%+.1f", tenths / 10.0);
  return text;
}

std::string Tenths(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f", std::isfinite(value) ? value : 0.0);
  return text;
}
