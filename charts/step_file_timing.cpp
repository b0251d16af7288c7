// The timing of a step chart: rows to milliseconds through tempo changes,
// stops, delays and warps, and which rows are played.
#include "charts/step_file_timing.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "charts/clamp.h"
#include "charts/text.h"

namespace {

constexpr size_t MostTimingEntries = 10000;  // bounds the lists of a hostile file
constexpr double FarBeat = 1e12;             // beats beyond any chart
constexpr int64_t NoEnd = INT64_MAX / 4;     // a warp that never ends

bool ByRow(const StepTimingEntry& a, const StepTimingEntry& b) { return a.row < b.row; }
bool ByStart(const StepSpan& a, const StepSpan& b) { return a.start < b.start; }

double RowBeats(int64_t rows) { return static_cast<double>(rows) / RowsPerBeat; }

// "beat=value" entries separated by ",".
std::vector<StepTimingEntry> ReadEntries(std::string_view list) {
  std::vector<StepTimingEntry> entries;
  while (!list.empty() && entries.size() < MostTimingEntries) {
    size_t comma = list.find(',');
    std::string_view entry = list.substr(0, comma);
    list = comma == std::string_view::npos ? std::string_view() : list.substr(comma + 1);
    size_t equals = entry.find('=');
    double beat = 0, value = 0;
    if (equals == std::string_view::npos || entry.find('=', equals + 1) != std::string_view::npos) continue;
    if (ParseStepNumber(entry.substr(0, equals), beat) && ParseStepNumber(entry.substr(equals + 1), value))
      entries.push_back({BeatToRow(beat), value});
  }
  return entries;
}

// Keeps the entries the rule takes.
template <typename Keep>
std::vector<StepTimingEntry> Kept(std::vector<StepTimingEntry> entries, Keep keep) {
  std::erase_if(entries, [&](const StepTimingEntry& e) { return !keep(e); });
  std::stable_sort(entries.begin(), entries.end(), ByRow);
  return entries;
}

// The tempo change in force at a row (the first one also before it).
size_t TempoAt(const StepTiming& timing, int64_t row) {
  auto after = std::upper_bound(timing.tempi.begin(), timing.tempi.end(), StepTimingEntry{row, 0}, ByRow);
  return after == timing.tempi.begin() ? 0 : static_cast<size_t>(after - timing.tempi.begin() - 1);
}

double TempoSeconds(const StepTiming& timing, int64_t row) {
  size_t i = TempoAt(timing, row);
  return timing.tempoSeconds[i] + RowBeats(row - timing.tempi[i].row) * 60 / timing.tempi[i].value;
}

// Sum of the values of the entries before the row (or up to it), from prefix sums.
double SumBefore(const std::vector<StepTimingEntry>& entries, const std::vector<double>& sums, int64_t row,
                 bool withRow) {
  StepTimingEntry key{row, 0};
  auto at = withRow ? std::upper_bound(entries.begin(), entries.end(), key, ByRow)
                    : std::lower_bound(entries.begin(), entries.end(), key, ByRow);
  return sums[at - entries.begin()];
}

std::vector<double> PrefixSums(const std::vector<StepTimingEntry>& entries) {
  std::vector<double> sums(1, 0.0);
  for (const StepTimingEntry& e : entries) sums.push_back(sums.back() + e.value);
  return sums;
}

// Sorted, overlapping and touching spans joined, empty ones dropped.
std::vector<StepSpan> Merged(std::vector<StepSpan> spans) {
  std::erase_if(spans, [](const StepSpan& s) { return s.end <= s.start; });
  std::sort(spans.begin(), spans.end(), ByStart);
  std::vector<StepSpan> merged;
  for (const StepSpan& s : spans) {
    if (!merged.empty() && s.start <= merged.back().end)
      merged.back().end = std::max(merged.back().end, s.end);
    else
      merged.push_back(s);
  }
  return merged;
}

std::vector<StepSpan> SpansOfLengths(const std::vector<StepTimingEntry>& entries) {
  std::vector<StepSpan> spans;
  for (const StepTimingEntry& e : entries) spans.push_back({e.row, BeatToRow(RowBeats(e.row) + e.value)});
  return spans;
}

// The span that holds the row, if any.
const StepSpan* SpanAt(const std::vector<StepSpan>& spans, int64_t row) {
  auto after = std::upper_bound(spans.begin(), spans.end(), StepSpan{row, row}, ByStart);
  if (after == spans.begin()) return nullptr;
  const StepSpan& span = *(after - 1);
  return row < span.end ? &span : nullptr;
}

// Where the tempo has made up `owed` seconds of time run back from the row:
// through negative tempi the debt grows, through positive ones it is paid.
int64_t CatchUpRow(const StepTiming& timing, int64_t from, double owed) {
  const std::vector<StepTimingEntry>& tempi = timing.tempi;
  double beat = RowBeats(from);
  for (size_t i = TempoAt(timing, from); i < tempi.size(); ++i) {
    double end = i + 1 < tempi.size() ? RowBeats(tempi[i + 1].row) : INFINITY;
    double bpm = tempi[i].value;
    if (bpm > 0 && beat + owed * bpm / 60 <= end) return std::max(from, BeatToRow(beat + owed * bpm / 60));
    if (std::isinf(end)) break;
    owed -= (end - beat) * 60 / bpm;
    beat = end;
  }
  return NoEnd;
}

// Seconds of tempo inside the "#WARPS" spans before the row.
double WarpedSeconds(const StepTiming& timing, int64_t row) {
  const std::vector<StepSpan>& spans = timing.warpSpans;
  auto after = std::lower_bound(spans.begin(), spans.end(), StepSpan{row, row}, ByStart);
  if (after == spans.begin()) return 0;
  size_t last = static_cast<size_t>(after - spans.begin() - 1);
  const StepSpan& span = spans[last];
  return timing.warpedBefore[last] + TempoSeconds(timing, std::min(span.end, row)) - TempoSeconds(timing, span.start);
}

bool HasPositiveAt(const std::vector<StepTimingEntry>& entries, int64_t row) {
  auto [first, last] = std::equal_range(entries.begin(), entries.end(), StepTimingEntry{row, 0}, ByRow);
  return std::any_of(first, last, [](const StepTimingEntry& e) { return e.value > 0; });
}

}  // namespace

int64_t BeatToRow(double beat) {
  if (!(beat > -FarBeat)) beat = -FarBeat;  // NaN too
  if (beat > FarBeat) beat = FarBeat;
  return std::llround(beat * RowsPerBeat);
}

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

TimingTag ReadTimingTag(StepTiming& timing, std::string_view name, std::string_view value) {
  if (name == "OFFSET") {
    double seconds = 0;
    if (ParseStepNumber(value, seconds)) {
      timing.offset = seconds;
      timing.hasOffset = true;
    }
    return TimingTag::Offset;
  }
  auto positive = [](const StepTimingEntry& e) { return e.value > 0; };
  auto onChart = [](const StepTimingEntry& e) { return e.row >= 0 && e.value != 0; };
  if (name == "BPMS") {
    timing.tempi = Kept(ReadEntries(value), [](const StepTimingEntry& e) { return e.value != 0; });
    return TimingTag::Tempo;
  }
  if (name == "STOPS" || name == "FREEZES")
    timing.stops = Kept(ReadEntries(value), onChart);
  else if (name == "DELAYS")
    timing.delays = Kept(ReadEntries(value), [](const StepTimingEntry& e) { return e.row >= 0 && e.value > 0; });
  else if (name == "WARPS")
    timing.warps = Kept(ReadEntries(value), positive);
  else if (name == "FAKES")
    timing.fakes = Kept(ReadEntries(value), positive);
  else
    return TimingTag::None;
  return TimingTag::Other;
}

void PrepareStepTiming(StepTiming& timing) {
  std::vector<StepTimingEntry>& tempi = timing.tempi;
  timing.tempoSeconds.assign(tempi.size(), 0.0);
  for (size_t i = 1; i < tempi.size(); ++i)
    timing.tempoSeconds[i] = timing.tempoSeconds[i - 1] + RowBeats(tempi[i].row - tempi[i - 1].row) * 60 / tempi[i - 1].value;
  if (!tempi.empty()) {
    double atBeatZero = TempoSeconds(timing, 0);
    for (double& seconds : timing.tempoSeconds) seconds -= atBeatZero;
  }
  timing.stoppedBefore = PrefixSums(timing.stops);
  timing.delayedBefore = PrefixSums(timing.delays);

  timing.warpSpans = Merged(SpansOfLengths(timing.warps));
  timing.warpedBefore.assign(1, 0.0);
  for (const StepSpan& span : timing.warpSpans) {
    double warped = tempi.empty() ? 0 : TempoSeconds(timing, span.end) - TempoSeconds(timing, span.start);
    timing.warpedBefore.push_back(timing.warpedBefore.back() + warped);
  }

  std::vector<StepSpan> skipped = timing.warpSpans;
  if (!tempi.empty()) {
    for (size_t i = 0; i < tempi.size(); ++i)
      if (tempi[i].value < 0 && (i + 1 == tempi.size() || tempi[i + 1].row != tempi[i].row))
        skipped.push_back({tempi[i].row, CatchUpRow(timing, tempi[i].row, 0)});
    for (const StepTimingEntry& stop : timing.stops)
      if (stop.value < 0) skipped.push_back({stop.row, CatchUpRow(timing, stop.row, -stop.value)});
  }
  timing.skipped = Merged(skipped);
  timing.fakeSpans = Merged(SpansOfLengths(timing.fakes));
}

bool HasStepTempo(const StepTiming& timing) { return !timing.tempi.empty(); }

int32_t StepRowToMs(const StepTiming& timing, int64_t row) {
  if (timing.tempi.empty()) return 0;
  double seconds = TempoSeconds(timing, row) - WarpedSeconds(timing, row) +
                   SumBefore(timing.stops, timing.stoppedBefore, row, false) +
                   SumBefore(timing.delays, timing.delayedBefore, row, true) - timing.offset;
  return TruncateToInt32(std::round(seconds * 1000));
}

int32_t StepHoldEndMs(const StepTiming& timing, int64_t row) {
  const StepSpan* jump = StepRowPlayed(timing, row) ? nullptr : SpanAt(timing.skipped, row);
  return StepRowToMs(timing, jump != nullptr ? jump->start : row);
}

bool StepRowPlayed(const StepTiming& timing, int64_t row) {
  if (SpanAt(timing.fakeSpans, row) != nullptr) return false;
  if (SpanAt(timing.skipped, row) == nullptr) return true;
  return HasPositiveAt(timing.stops, row) || HasPositiveAt(timing.delays, row);
}
