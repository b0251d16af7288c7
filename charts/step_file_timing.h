// The timing of a StepMania chart: offset, tempo changes, stops, delays, warps
// and fakes, turning a row of notes into milliseconds of music the way
// StepMania plays it, and telling which rows are played at all.
//
// Beats lie on a grid of 48 rows each; every position below is a row, a beat
// rounded to the grid. The time of the notes of a row is the tempo's time from
// beat 0 to the row, plus the stops of earlier rows, plus the delays up to and
// including the row (a delay pauses before its row's notes, a stop after
// them), minus the offset. Warps ("#WARPS", beat=length) take no time: their
// rows are not played. A negative tempo or a negative stop is the older way
// of writing a warp: time runs back, and the rows until the tempo brings it
// back to where it was are not played; later rows are timed by the plain sum.
// A row inside a warp that carries a stop or a delay is still played, as in
// StepMania ("stop, warp, stop" gimmicks). "#FAKES" rows (beat=length) are
// never played. Warp and fake spans hold their first row, not their last.
#pragma once
#include <cstdint>
#include <string_view>
#include <vector>

inline constexpr int64_t RowsPerBeat = 48;

// The row of a beat, rounded; absurd beats are held far out of any chart.
int64_t BeatToRow(double beat);

// Reads a decimal number ("-0.060", "+1.5", " 140.000 "); false for anything
// else, including an empty text, trailing letters, infinities and NaN.
bool ParseStepNumber(std::string_view text, double& number);

struct StepTimingEntry {
  int64_t row;
  double value;  // beats per minute, seconds, or a length in beats
};

struct StepSpan {
  int64_t start;  // first row inside
  int64_t end;    // first row after
};

struct StepTiming {
  double offset = 0;  // seconds: beat 0 lies at minus this in the music
  bool hasOffset = false;  // an "#OFFSET" with a number was read
  std::vector<StepTimingEntry> tempi;   // beats per minute; 0 is skipped, below 0 a warp
  std::vector<StepTimingEntry> stops;   // seconds; below 0 a warp
  std::vector<StepTimingEntry> delays;  // seconds; 0 or below is skipped
  std::vector<StepTimingEntry> warps;   // length in beats
  std::vector<StepTimingEntry> fakes;   // length in beats

  // Worked out by PrepareStepTiming from the lists above.
  std::vector<double> tempoSeconds;   // from beat 0 to each tempo change
  std::vector<double> stoppedBefore;  // seconds of the stops before each stop
  std::vector<double> delayedBefore;  // the same for delays
  std::vector<StepSpan> warpSpans;    // "#WARPS", merged, in order
  std::vector<double> warpedBefore;   // tempo seconds inside the warp spans before each
  std::vector<StepSpan> skipped;      // every warp, of either way of writing, merged, in order
  std::vector<StepSpan> fakeSpans;    // merged, in order
};

// The timing tags: "OFFSET", "BPMS", "STOPS" (or the old "FREEZES"),
// "DELAYS", "WARPS", "FAKES". Reads the tag's value into its list, replacing
// what an earlier tag of the same name gave, and says which tag it was.
// Entries that are not "beat=value" numbers are skipped; an offset that is
// no number leaves the offset as it was.
enum class TimingTag { None, Offset, Tempo, Other };
TimingTag ReadTimingTag(StepTiming& timing, std::string_view name, std::string_view value);

// Sorts the lists and works out the sums and spans; call before the two below.
void PrepareStepTiming(StepTiming& timing);

// Whether any tempo was read; without one no row has a time.
bool HasStepTempo(const StepTiming& timing);

// The time of the notes of a row, rounded to the nearest millisecond.
int32_t StepRowToMs(const StepTiming& timing, int64_t row);

// Where a hold whose end lies on the row ends: at the row's time, or, for a
// row the chart jumps over (a warp of any way of writing), where it jumps.
int32_t StepHoldEndMs(const StepTiming& timing, int64_t row);

// Whether the notes of a row are played: not in a warp (unless a stop or a
// delay stands on the row) and not in a fake span.
bool StepRowPlayed(const StepTiming& timing, int64_t row);
