// The step-file converter: lines, timing lists, notes headers, blocks, measures.
#include "charts/step_file.h"

#include <cctype>
#include <cstdint>

#include "charts/step_file_timing.h"
#include "charts/text.h"
#include "charts/clamp.h"

namespace {

constexpr size_t LinePiece = 999;            // a longer line is taken in pieces of this size
constexpr size_t MostPendingRows = 1 << 16;  // rows with notes kept for one measure
constexpr size_t LongestListEntry = 100;     // a longer beat=value entry is garbage
constexpr size_t LongestHeaderField = 200;   // longer header text is kept only this far
constexpr int HeaderFields = 5;              // step type, description, difficulty, meter, radar
constexpr int SkippedBlock = -1;             // a block read to its end and dropped

// The difficulty words of notes headers, as StepMania reads them: its own five
// names and the older names some packs still carry.
struct DifficultyName {
  std::string_view word;
  int difficulty;
};
constexpr DifficultyName HeaderDifficulties[] = {
    {"beginner", Beginner}, {"easy", Easy},     {"basic", Easy},       {"light", Easy},
    {"medium", Medium},     {"another", Medium}, {"trick", Medium},     {"standard", Medium},
    {"difficult", Medium},  {"hard", Hard},      {"ssr", Hard},         {"maniac", Hard},
    {"heavy", Hard},        {"challenge", Challenge}, {"smaniac", Challenge}, {"expert", Challenge},
    {"oni", Challenge}};

enum TimingList : int { NoList, TempoList, StopList };

// A row of the current measure that holds something to convert.
struct PendingRow {
  int64_t index;  // from 0 within the measure
  char cells[4];
};

// Splitting the bytes into lines.
std::string Line;
bool PendingCr = false;   // a CR that may be the first half of a CR LF break
bool AtFileStart = true;  // the first line may carry a UTF-8 byte order mark

// The "#BPMS:" or "#STOPS:" list being read, which may run over several lines.
int OpenList = NoList;
std::string ListEntry;
bool ListEntryTooLong = false;

// The "#NOTES:" header being read, which may run over several lines.
bool HeaderOpen = false;
std::string Fields[HeaderFields];
int FieldsDone = 0;

// The notes block being read.
bool InBlock = false;
int BlockDifficulty = SkippedBlock;
int64_t Measure = 0;      // from 0 within the block
int64_t MeasureRows = 0;  // rows of the current measure so far
std::vector<PendingRow> Rows;
std::vector<Note> BlockNotes;
long NewestOfColumn[4] = {-1, -1, -1, -1};  // index in BlockNotes of each column's newest note

std::vector<ChartSection> Sections;

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
  for (char c : text) {
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

void EmptyBlockNotes() {
  BlockNotes.clear();
  for (long& index : NewestOfColumn) index = -1;
}

void StartBlock(int difficulty) {
  EmptyBlockNotes();
  InBlock = true;
  BlockDifficulty = difficulty;
  Measure = 0;
  MeasureRows = 0;
  Rows.clear();
}

bool BlockFull() { return BlockNotes.size() >= static_cast<size_t>(MostNotesPerBlock); }

void AddNote(int column, int32_t time) {
  if (BlockFull()) return;
  BlockNotes.push_back({column, time, 0});
  NewestOfColumn[column] = static_cast<long>(BlockNotes.size()) - 1;
}

// Four note characters; header lines, blanks and comments are not rows.
bool IsNoteRow(std::string_view text) {
  if (text.size() != 4) return false;
  for (char c : text)
    if (!std::isalnum(static_cast<unsigned char>(c))) return false;
  return true;
}

void AddRow(std::string_view text) {
  std::string_view row = Trimmed(text);
  if (!IsNoteRow(row)) return;
  int64_t index = MeasureRows++;
  if (BlockDifficulty == SkippedBlock || row.find_first_of("1234") == std::string_view::npos) return;
  if (Rows.size() >= MostPendingRows) return;
  Rows.push_back(PendingRow{index, {row[0], row[1], row[2], row[3]}});
}

// Steps first, then hold starts (a roll is played as a hold), then hold ends,
// each group by column, as the chart has always ordered a row.
void AddRowNotes(const char* cells, int32_t time) {
  for (int column = 0; column < 4; ++column)
    if (cells[column] == '1') AddNote(column, time);
  for (int column = 0; column < 4; ++column)
    if (cells[column] == '2' || cells[column] == '4') AddNote(column, time);
  for (int column = 0; column < 4; ++column) {
    if (cells[column] != '3' || BlockFull() || NewestOfColumn[column] < 0) continue;
    Note& held = BlockNotes[NewestOfColumn[column]];
    held.hold = ClampToInt32(static_cast<int64_t>(time) - held.time);
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

// The block's last measure ends with it.
void EndBlock() {
  if (!InBlock) return;
  ConvertMeasure();
  InBlock = false;
  if (BlockDifficulty != SkippedBlock && !BlockNotes.empty() && Sections.size() < MostSections)
    Sections.push_back(ChartSection{BlockDifficulty, BlockNotes});
  EmptyBlockNotes();
}

// Rows, "," (a measure ends) and ";" (the block ends), several maybe on one line.
void ReadNotesText(std::string_view text) {
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != ',' && text[i] != ';') continue;
    AddRow(text.substr(start, i - start));
    if (text[i] == ';') {
      EndBlock();
      return;
    }
    ConvertMeasure();
    start = i + 1;
  }
  AddRow(text.substr(start));
}

int HeaderDifficulty(std::string_view word) {
  for (const DifficultyName& name : HeaderDifficulties)
    if (SameLetters(word, name.word)) return name.difficulty;
  return SkippedBlock;
}

// The header is whole: its block is wanted only for dance-single (a type left
// empty is taken as that) and one of the five difficulties.
void StartHeaderBlock() {
  HeaderOpen = false;
  std::string_view type = Trimmed(Fields[0]);
  int difficulty = HeaderDifficulty(Trimmed(Fields[2]));
  if (!type.empty() && !SameLetters(type, "dance-single")) difficulty = SkippedBlock;
  StartBlock(difficulty);
}

// Header text up to its fifth ":"; what follows on the line is the notes'.
void ReadHeaderText(std::string_view text) {
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == ';') {  // the tag ends before its header does: no block
      HeaderOpen = false;
      return;
    }
    if (c != ':') {
      if (Fields[FieldsDone].size() < LongestHeaderField) Fields[FieldsDone] += c;
      continue;
    }
    if (++FieldsDone < HeaderFields) continue;
    StartHeaderBlock();
    ReadNotesText(text.substr(i + 1));
    return;
  }
}

void OpenHeader(std::string_view rest) {
  HeaderOpen = true;
  FieldsDone = 0;
  for (std::string& field : Fields) field.clear();
  ReadHeaderText(rest);
}

// A line beginning with "#": it ends an open block or header, then may be a tag we read.
void ReadTag(std::string_view line) {
  EndBlock();
  HeaderOpen = false;
  if (line.starts_with("#OFFSET:")) {
    std::string_view value = line.substr(8);
    double seconds = 0;
    if (ParseStepNumber(value.substr(0, value.find(';')), seconds)) SetStepOffset(seconds);
  } else if (line.starts_with("#BPMS:")) {
    OpenTimingList(TempoList, line.substr(6));
  } else if (line.starts_with("#STOPS:")) {
    OpenTimingList(StopList, line.substr(7));
  } else if (line.starts_with("#NOTES:")) {
    OpenHeader(line.substr(7));
  }
}

// Without a "#NOTES:" header, a line ending with a difficulty name and ":" starts a block.
int LineDifficulty(std::string_view line) {
  if (!line.ends_with(':')) return SkippedBlock;
  line.remove_suffix(1);
  for (int d = 0; d < DifficultyCount; ++d) {
    std::string_view word = DifficultyWords[d];
    if (line.size() >= word.size() && SameLetters(line.substr(line.size() - word.size()), word)) return d;
  }
  return SkippedBlock;
}

void ConvertLine(std::string_view line) {
  line = WithoutComment(line);
  if (OpenList != NoList) {
    if (!Trimmed(line).starts_with('#')) {
      ReadListText(line);
      return;
    }
    CloseList();  // a list without its semicolon ends where the next tag begins
  }
  std::string_view trimmed = Trimmed(line);
  if (trimmed.starts_with('#')) {
    ReadTag(trimmed);
  } else if (HeaderOpen) {
    ReadHeaderText(line);
  } else if (int d = LineDifficulty(trimmed); d != SkippedBlock) {
    EndBlock();  // a header met inside a block ends it first
    StartBlock(d);
  } else if (InBlock) {
    ReadNotesText(line);
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
  HeaderOpen = false;
  InBlock = false;
  Rows.clear();
  MeasureRows = 0;
  Sections.clear();
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

std::vector<ChartSection> FinishStepConversion() {
  if (PendingCr) AddChar('\r');
  PendingCr = false;
  if (!Line.empty()) TakeLine(false);  // the last line, without a break
  CloseList();
  EndBlock();  // a block left open at the end of the file
  HeaderOpen = false;
  std::vector<ChartSection> found;
  found.swap(Sections);
  return found;
}

std::string ConvertStepText(std::string_view text) {
  StartStepConversion();
  FeedStepText(text);
  return ChartText(FinishStepConversion());
}
