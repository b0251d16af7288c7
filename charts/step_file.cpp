#include "charts/step_file.h"

#include <cctype>
#include <cstdint>
#include <sstream>
#include <vector>

#include "app/screen_state.h"
#include "charts/chart_file.h"
#include "charts/step_file_timing.h"
#include "game/notes.h"

namespace {

constexpr size_t LinePiece = 999;           // a longer line is taken in pieces of this size
constexpr size_t MostPendingRows = 1 << 16;  // rows with notes kept for one measure
constexpr int MostSections = 1000;           // bounds the chart text of a hostile file
constexpr size_t LongestListEntry = 100;     // a longer beat=value entry is garbage

// Difficulty names as they end a notes header line, by Difficulty.
constexpr std::string_view DifficultyNames[DifficultyCount] = {"Beginner:", "Easy:", "Medium:",
                                                               "Hard:", "Challenge:"};

enum TimingList : int { NoList, TempoList, StopList };

// A row of the current measure that holds something to convert.
struct PendingRow {
  int64_t index;  // from 0 within the measure
  char cells[4];
};

// Splitting the bytes into lines.
std::string Line;
bool PendingCr = false;    // a CR that may be the first half of a CR LF break
bool AtFileStart = true;   // the first line may carry a UTF-8 byte order mark

// The "#BPMS:" or "#STOPS:" list being read, which may run over several lines.
int OpenList = NoList;
std::string ListEntry;
bool ListEntryTooLong = false;

// The notes block being read.
bool InBlock = false;
int64_t Measure = 0;      // from 0 within the block
int64_t MeasureRows = 0;  // rows of the current measure so far
std::vector<PendingRow> Rows;
long NewestOfColumn[4] = {-1, -1, -1, -1};  // index in NoteList of each column's newest note

int SectionsWritten = 0;
std::ostringstream Chart;

std::string_view WithoutComment(std::string_view text) { return text.substr(0, text.find("//")); }

// One "beat=value" entry of the open list; anything else is skipped.
void FinishListEntry() {
  std::string_view entry = ListEntry;
  size_t equals = entry.find('=');
  bool pair = !ListEntryTooLong && equals != std::string_view::npos &&
              entry.find('=', equals + 1) == std::string_view::npos;
  double beat = 0, value = 0;
  if (pair && ParseStepNumber(entry.substr(0, equals), beat) &&
      ParseStepNumber(entry.substr(equals + 1), value)) {
    if (OpenList == TempoList) AddTempoChange(beat, value);
    if (OpenList == StopList) AddStop(beat, value);
  }
  ListEntry.clear();
  ListEntryTooLong = false;
}

void CloseList() {
  if (OpenList == NoList) return;
  FinishListEntry();
  OpenList = NoList;
}

void ReadListText(std::string_view text) {
  for (char c : WithoutComment(text)) {
    if (c == ',' || c == ';') {
      FinishListEntry();
      if (c == ';') {
        OpenList = NoList;
        return;
      }
    } else if (ListEntry.size() < LongestListEntry) {
      ListEntry += c;
    } else {
      ListEntryTooLong = true;
    }
  }
}

void OpenTimingList(int list, std::string_view rest) {
  if (list == TempoList) ClearTempoChanges();
  if (list == StopList) ClearStops();
  OpenList = list;
  ListEntry.clear();
  ListEntryTooLong = false;
  ReadListText(rest);
}

void ReadHeaderTag(std::string_view line) {
  if (line.starts_with("#OFFSET:")) {
    std::string_view value = WithoutComment(line.substr(8));
    double seconds = 0;
    if (ParseStepNumber(value.substr(0, value.find(';')), seconds)) SetStepOffset(seconds);
  } else if (line.starts_with("#BPMS:")) {
    OpenTimingList(TempoList, line.substr(6));
  } else if (line.starts_with("#STOPS:")) {
    OpenTimingList(StopList, line.substr(7));
  }
}

bool NoteListFull() { return NoteList.size() >= static_cast<size_t>(NoteListCapacity); }

void EmptyBlockNotes() {
  EmptyNoteList();
  for (long& index : NewestOfColumn) index = -1;
}

void AddNote(int column, int32_t time) {
  if (NoteListFull()) return;
  AppendNote({column, time, 0});
  NewestOfColumn[column] = static_cast<long>(NoteList.size()) - 1;
}

bool StartBlock(std::string_view line) {
  for (int d = 0; d < DifficultyCount; ++d) {
    if (!line.ends_with(DifficultyNames[d])) continue;
    EmptyBlockNotes();
    InBlock = true;
    Measure = 0;
    MeasureRows = 0;
    Rows.clear();
    SelectedDifficulty = d;
    return true;
  }
  return false;
}

// Four note characters; header lines, blanks and comments are not rows.
bool IsNoteRow(std::string_view line) {
  if (line.size() != 4) return false;
  for (char c : line)
    if (!std::isalnum(static_cast<unsigned char>(c))) return false;
  return true;
}

void AddRow(std::string_view row) {
  int64_t index = MeasureRows++;
  if (row.find_first_of("1234") == std::string_view::npos) return;
  if (Rows.size() >= MostPendingRows) return;
  PendingRow pending{index, {row[0], row[1], row[2], row[3]}};
  Rows.push_back(pending);
}

// Steps first, then hold starts (a roll is played as a hold), then hold ends,
// each group by column, as the chart has always ordered a row.
void AddRowNotes(const char* cells, int32_t time) {
  for (int column = 0; column < 4; ++column)
    if (cells[column] == '1') AddNote(column, time);
  for (int column = 0; column < 4; ++column)
    if (cells[column] == '2' || cells[column] == '4') AddNote(column, time);
  for (int column = 0; column < 4; ++column) {
    if (cells[column] != '3' || NoteListFull() || NewestOfColumn[column] < 0) continue;
    Note& held = NoteList[NewestOfColumn[column]];
    held.hold = ClampMs(static_cast<int64_t>(time) - held.time);
  }
}

// Row k of n in measure m lies at beat 4m + 4k/n.
void ConvertMeasure() {
  if (HasStepTempo()) {
    for (const PendingRow& row : Rows) {
      double beat = 4.0 * static_cast<double>(Measure) +
                    4.0 * static_cast<double>(row.index) / static_cast<double>(MeasureRows);
      AddRowNotes(row.cells, StepBeatToMs(beat));
    }
  }
  ++Measure;
  MeasureRows = 0;
  Rows.clear();
}

void WriteSection() {
  if (!NoteList.empty() && SectionsWritten < MostSections) {
    ++SectionsWritten;
    WriteChartSection(Chart);
  }
  EmptyBlockNotes();
}

void ConvertLine(std::string_view line) {
  if (OpenList != NoList) {
    if (!line.starts_with('#')) {
      ReadListText(line);
      return;
    }
    CloseList();  // a list without its semicolon ends where the next tag begins
  }
  ReadHeaderTag(line);
  if (!InBlock && !StartBlock(line)) return;
  if (line.starts_with(',') || line.starts_with(';')) {
    ConvertMeasure();
    if (line.starts_with(';')) {
      InBlock = false;
      WriteSection();
    }
  } else if (IsNoteRow(line)) {
    AddRow(line);
  }
}

// A line as read, its break already gone. Lines shorter than 2 characters,
// counting the break, carry nothing and are skipped.
void TakeLine(bool hadBreak) {
  bool skipped = Line.size() + (hadBreak ? 1 : 0) < 2;
  std::string_view line = Line;
  if (AtFileStart && line.starts_with("\xEF\xBB\xBF")) line.remove_prefix(3);
  AtFileStart = false;
  if (!skipped) ConvertLine(line);
  Line.clear();
}

void AddChar(char c) {
  Line += c;
  // A piece of an overlong line loses its last character, as it always has.
  if (Line.size() == LinePiece) {
    Line.pop_back();
    TakeLine(false);
  }
}

}  // namespace

void StartStepConversion() {
  Line.clear();
  PendingCr = false;
  AtFileStart = true;
  SetStepOffset(0);
  ClearTempoChanges();
  ClearStops();
  OpenList = NoList;
  ListEntry.clear();
  InBlock = false;
  Rows.clear();
  MeasureRows = 0;
  SectionsWritten = 0;
  Chart.str("");
  EmptyBlockNotes();
}

void FeedStepText(std::string_view bytes) {
  for (char c : bytes) {
    if (PendingCr) {
      PendingCr = false;
      if (c == '\n') {
        TakeLine(true);
        continue;
      }
      AddChar('\r');
    }
    if (c == '\r')
      PendingCr = true;
    else if (c == '\n')
      TakeLine(true);
    else
      AddChar(c);
  }
}

std::string FinishStepConversion() {
  if (PendingCr) AddChar('\r');
  PendingCr = false;
  if (!Line.empty()) TakeLine(false);  // the last line, without a break
  CloseList();
  if (InBlock) ConvertMeasure();  // the last measure of a block left open
  InBlock = false;
  WriteSection();
  std::string text = Chart.str();
  Chart.str("");
  return text;
}

std::string ConvertStepText(std::string_view text) {
  StartStepConversion();
  FeedStepText(text);
  return FinishStepConversion();
}
