// Measures, rows, steps and holds of one chart's note data.
#include "charts/step_file_notes.h"

#include <algorithm>
#include <cmath>

#include "charts/clamp.h"
#include "charts/text.h"

namespace {

constexpr size_t MostPendingRows = 1 << 16;  // rows with notes kept for one measure
constexpr int64_t RowsPerMeasure = 4 * RowsPerBeat;

// The hold of a column between its start and its end.
enum HoldState : int { NoHold, HoldPlayed, HoldDropped };

// A row of the current measure that holds something to convert.
struct PendingRow {
  int64_t index;  // from 0 within the measure
  char cells[4];
};

struct ChartNotes {
  const StepTiming& timing;
  std::vector<Note> notes;
  std::vector<Note> mines;
  long newest[4] = {-1, -1, -1, -1};  // index in notes of each column's newest note
  int hold[4] = {NoHold, NoHold, NoHold, NoHold};
  int64_t measure = 0;
  int64_t rows = 0;  // rows of the current measure so far
  std::vector<PendingRow> pending;
};

bool Full(const ChartNotes& chart) { return chart.notes.size() >= static_cast<size_t>(MostNotesPerBlock); }

void AddNote(ChartNotes& chart, int column, int32_t time, int64_t row, bool roll = false) {
  if (Full(chart)) return;
  chart.notes.push_back({column, time, 0, roll, RowBeatPlace(row)});
  chart.newest[column] = static_cast<long>(chart.notes.size()) - 1;
}

bool IsNoteCharacter(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// Four cells, each one letter or digit maybe followed by "[..]" or "{..}".
bool ReadRow(std::string_view line, char cells[4]) {
  line = Trimmed(line);
  size_t at = 0;
  for (int column = 0; column < 4; ++column) {
    if (at >= line.size() || !IsNoteCharacter(line[at])) return false;
    cells[column] = line[at++];
    while (at < line.size() && (line[at] == '[' || line[at] == '{')) {
      size_t close = line.find(line[at] == '[' ? ']' : '}', at);
      if (close == std::string_view::npos) return false;
      at = close + 1;
    }
  }
  return at == line.size();
}

void AddLine(ChartNotes& chart, std::string_view line) {
  char cells[4];
  if (!ReadRow(line, cells)) return;
  int64_t index = chart.rows++;
  bool something = false;
  for (char c : cells) something = something || (c >= '1' && c <= '4') || c == 'M';
  if (!something) return;
  if (chart.pending.size() < MostPendingRows) chart.pending.push_back({index, {cells[0], cells[1], cells[2], cells[3]}});
}

bool IsHoldStart(char c) { return c == '2' || c == '4'; }

void AddRowNotes(ChartNotes& chart, const char* cells, int64_t row) {
  int32_t time = StepRowToMs(chart.timing, row);
  bool played = StepRowPlayed(chart.timing, row);
  for (int column = 0; column < 4; ++column) {
    if (cells[column] == '1' && played) AddNote(chart, column, time, row);
    if (cells[column] == 'M' && played && chart.mines.size() < static_cast<size_t>(MostNotesPerBlock))
      chart.mines.push_back({column, time, 0});
  }
  for (int column = 0; column < 4; ++column) {
    if (!IsHoldStart(cells[column])) continue;
    chart.hold[column] = played ? HoldPlayed : HoldDropped;
    if (played) AddNote(chart, column, time, row, cells[column] == '4');
  }
  // An end without a played start of its own (a lone end, or a start in a
  // warp) lengthens nothing: StepMania plays no hold there.
  for (int column = 0; column < 4; ++column) {
    if (cells[column] != '3' || Full(chart)) continue;
    bool open = chart.hold[column] == HoldPlayed;
    chart.hold[column] = NoHold;
    if (!open || chart.newest[column] < 0) continue;
    Note& held = chart.notes[chart.newest[column]];
    held.hold = ClampToInt32(std::max<int64_t>(0, int64_t{StepHoldEndMs(chart.timing, row)} - held.time));
    held.roll = held.roll && held.hold > 0;
  }
}

// Row k of n in measure m lies at beat 4m + 4k/n.
void ConvertMeasure(ChartNotes& chart) {
  for (const PendingRow& row : chart.pending) {
    double within = static_cast<double>(RowsPerMeasure) * static_cast<double>(row.index) /
                    static_cast<double>(chart.rows);
    AddRowNotes(chart, row.cells, chart.measure * RowsPerMeasure + std::llround(within));
  }
  ++chart.measure;
  chart.rows = 0;
  chart.pending.clear();
}

}  // namespace

BeatPlace RowBeatPlace(int64_t row) {
  // Rows of a beat between one note of each division and the next, finest last.
  constexpr struct {
    int64_t rows;
    BeatPlace place;
  } Divisions[] = {{48, BeatPlace::Quarter},      {24, BeatPlace::Eighth},       {16, BeatPlace::Twelfth},
                   {12, BeatPlace::Sixteenth},    {8, BeatPlace::TwentyFourth},  {6, BeatPlace::ThirtySecond},
                   {3, BeatPlace::SixtyFourth}};
  for (const auto& division : Divisions)
    if (row % division.rows == 0) return division.place;
  return BeatPlace::Other;
}

ChartSection StepChartNotes(std::string_view noteData, const StepTiming& timing) {
  ChartNotes chart{timing, {}, {}, {-1, -1, -1, -1}, {NoHold, NoHold, NoHold, NoHold}, 0, 0, {}};
  if (!HasStepTempo(timing)) return {};
  size_t start = 0;
  for (size_t i = 0; i <= noteData.size() && !Full(chart); ++i) {
    char c = i < noteData.size() ? noteData[i] : ',';  // the data's end ends its last measure
    if (c != ',' && c != '\n' && c != '\r') continue;
    AddLine(chart, noteData.substr(start, i - start));
    start = i + 1;
    if (c == ',') ConvertMeasure(chart);
  }
  return ChartSection{Beginner, std::move(chart.notes), std::move(chart.mines), 0};
}

bool IsStepRow(std::string_view line) {
  char cells[4];
  return ReadRow(line, cells);
}
