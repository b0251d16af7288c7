// The chart file: writer, reader and tag scan.
#include "charts/chart_file.h"

#include <sstream>

#include "charts/safe_file.h"
#include "charts/text.h"

namespace {

using Traits = std::char_traits<char>;

// A white-space-separated token reader that behaves like formatted stream
// input but never holds more than LongestChartToken + 1 characters of one
// token: a longer token is a failed read. Once a read fails or meets the end
// of the input, the reader is no longer good and later reads do nothing.
struct TokenReader {
  std::streambuf* buffer = nullptr;
  bool good = false;
};

bool Fail(TokenReader& reader) {
  reader.good = false;
  return false;
}

// Skips white space; meeting the end of the input first is a failed read.
bool SkipSpace(TokenReader& reader) {
  int c = reader.buffer->sgetc();
  while (c != Traits::eof() && IsBlank(Traits::to_char_type(c))) c = reader.buffer->snextc();
  return c == Traits::eof() ? Fail(reader) : true;
}

// Like formatted input, a token that runs into the end of the input is still
// delivered, but nothing is read after it.
void NoteEndOfInput(TokenReader& reader) {
  if (reader.buffer->sgetc() == Traits::eof()) reader.good = false;
}

bool ReadWord(TokenReader& reader, std::string& word) {
  if (!reader.good || !SkipSpace(reader)) return false;
  word.clear();
  for (int c = reader.buffer->sgetc(); c != Traits::eof() && !IsBlank(Traits::to_char_type(c));
       c = reader.buffer->snextc()) {
    if (word.size() == LongestChartToken) return Fail(reader);
    word.push_back(Traits::to_char_type(c));
  }
  NoteEndOfInput(reader);
  return true;
}

// A decimal whole number: optional sign, digits, stopping before any other
// character. Fails when there are no digits or it does not fit in 32 bits.
bool ReadNumber(TokenReader& reader, int32_t& value) {
  if (!reader.good || !SkipSpace(reader)) return false;
  int c = reader.buffer->sgetc();
  bool negative = c == '-';
  size_t length = 0;
  if (c == '-' || c == '+') {
    c = reader.buffer->snextc();
    ++length;
  }
  const int64_t limit = int64_t{INT32_MAX} + 1;
  int64_t magnitude = 0;
  size_t digits = 0;
  for (; c >= '0' && c <= '9'; c = reader.buffer->snextc(), ++digits) {
    if (++length > LongestChartToken) return Fail(reader);
    // Past the limit the exact value no longer matters: it will not fit.
    if (magnitude <= limit) magnitude = magnitude * 10 + (c - '0');
  }
  if (digits == 0) return Fail(reader);
  int64_t result = negative ? -magnitude : magnitude;
  if (result < INT32_MIN || result > INT32_MAX) return Fail(reader);
  value = static_cast<int32_t>(result);
  NoteEndOfInput(reader);
  return true;
}

constexpr const char* NoteSeparator = "----";
constexpr const char* StopTag = "<stop>";
constexpr const char* MinesTag = "<mines>";
constexpr const char* MeterTag = "<meter>";

// The places in the beat as a fourth token spells them after "----".
struct PlaceWord {
  BeatPlace place;
  const char* word;
};
constexpr PlaceWord PlaceWords[] = {
    {BeatPlace::Quarter, "4"},       {BeatPlace::Eighth, "8"},        {BeatPlace::Twelfth, "12"},
    {BeatPlace::Sixteenth, "16"},    {BeatPlace::TwentyFourth, "24"}, {BeatPlace::ThirtySecond, "32"},
    {BeatPlace::SixtyFourth, "64"},  {BeatPlace::Other, "x"}};

std::string Separator(const Note& note) {
  std::string word = NoteSeparator;
  for (const PlaceWord& place : PlaceWords)
    if (place.place == note.beat) word += place.word;
  return note.roll && note.hold > 0 ? word + "r" : word;  // a roll never ended is a tap
}

// A fourth token that says nothing known leaves the note plain.
void ReadSeparator(std::string_view word, Note& note) {
  if (!word.starts_with(NoteSeparator)) return;
  word.remove_prefix(4);
  if (word.ends_with('r')) note.roll = note.hold > 0, word.remove_suffix(1);
  for (const PlaceWord& place : PlaceWords)
    if (word == place.word) note.beat = place.place;
}

// Reads one record into a note taken beforehand; once a read fails the rest do nothing.
void ReadRecord(TokenReader& reader, std::vector<Note>& notes) {
  Note& note = notes.emplace_back();
  std::string separator;
  if (ReadNumber(reader, note.column) && ReadNumber(reader, note.time) && ReadNumber(reader, note.hold) &&
      ReadWord(reader, separator))
    ReadSeparator(separator, note);
}

// From after a start tag: the records as the song start has always read them.
std::vector<Note> ReadRecords(TokenReader& reader) {
  std::vector<Note> notes;
  notes.reserve(MostRecordsRead);
  while (reader.good && static_cast<int>(notes.size()) < MostRecordsRead) ReadRecord(reader, notes);
  // The last record is the one whose pass met the end of the section.
  if (!notes.empty()) notes.pop_back();
  return notes;
}

// After ReadRecords: whether the section ended at its "<stop>", records past
// the limit passed over. Only then does what follows belong to it.
bool EndedAtStop(TokenReader& reader) {
  std::vector<Note> passed;
  while (reader.good) {
    passed.clear();
    ReadRecord(reader, passed);
  }
  reader.good = reader.buffer->sgetc() != Traits::eof();
  std::string word;
  return ReadWord(reader, word) && word == StopTag;
}

// The "<mines>" and "<meter>" sections right after the chart's "<stop>".
void ReadAfterSection(TokenReader& reader, ChartSection& chart) {
  std::string word;
  while (EndedAtStop(reader) && ReadWord(reader, word)) {
    if (word == MinesTag && chart.mines.empty()) {
      chart.mines = ReadRecords(reader);
    } else if (word == MeterTag && chart.meter == 0) {
      int32_t meter = 0;
      if (ReadNumber(reader, meter) && meter > 0) chart.meter = meter;
    } else {
      return;
    }
  }
}

// Reads up to the wanted section's start tag; false when there is none.
bool FindSection(TokenReader& reader, int difficulty) {
  std::string word;
  while (ReadWord(reader, word))
    if (word.starts_with(SectionTags[difficulty])) return true;
  return false;
}

void WriteEntries(std::ostream& out, const std::vector<Note>& notes, bool plain) {
  for (const Note& note : notes)
    out << note.column << '\n' << note.time << '\n' << (plain ? 0 : note.hold) << '\n'
        << (plain ? NoteSeparator : Separator(note)) << '\n';
}

void MatchTags(const std::string& word, bool flags[DifficultyCount]) {
  for (int d = 0; d < DifficultyCount; ++d)
    if (word.starts_with(SectionTags[d])) flags[d] = true;
}

}  // namespace

void WriteChartSection(std::ostream& out, int difficulty, const std::vector<Note>& notes) {
  WriteChartSection(out, ChartSection{difficulty, notes, {}, 0});
}

void WriteChartSection(std::ostream& out, const ChartSection& section) {
  // A difficulty outside the five has no tag: its notes are dropped, not written under a wrong one.
  if ((section.notes.empty() && section.mines.empty()) || !IsDifficulty(section.difficulty)) return;
  out << SectionTags[section.difficulty] << '\n';
  WriteEntries(out, section.notes, false);
  out << StopTag << '\n';
  if (!section.mines.empty()) {
    out << MinesTag << '\n';
    WriteEntries(out, section.mines, true);
    out << StopTag << '\n';
  }
  if (section.meter > 0) out << MeterTag << '\n' << section.meter << '\n' << StopTag << '\n';
}

std::string ChartText(const std::vector<ChartSection>& sections, bool markedFromStepFile) {
  std::ostringstream out;
  if (markedFromStepFile) out << MadeFromStepFile << '\n';
  for (const ChartSection& section : sections) WriteChartSection(out, section);
  return out.str();
}

bool ChartMarkedFromStepFile(const std::string& path) {
  std::string start;
  ReadFileStart(path, start, 64);
  std::istringstream in(start);
  TokenReader reader{in.rdbuf(), true};
  std::string word;
  return ReadWord(reader, word) && word == MadeFromStepFile;
}

std::vector<Note> ReadChartSection(std::istream& in, int difficulty) { return ReadChart(in, difficulty).notes; }

ChartSection ReadChart(std::istream& in, int difficulty) {
  ChartSection chart{difficulty, {}, {}, 0};
  if (!IsDifficulty(difficulty)) return chart;
  TokenReader reader{in.rdbuf(), in.good() && in.rdbuf() != nullptr};
  if (!FindSection(reader, difficulty)) return chart;
  chart.notes = ReadRecords(reader);
  ReadAfterSection(reader, chart);
  return chart;
}

std::vector<Note> ReadChartSection(const std::string& path, int difficulty) {
  return ReadChart(path, difficulty).notes;
}

ChartSection ReadChart(const std::string& path, int difficulty) {
  std::string text;
  ReadFileStart(path, text);
  std::istringstream in(std::move(text));
  return ReadChart(in, difficulty);
}

void ReadChartDifficulties(const std::string& path, bool flags[DifficultyCount]) {
  std::string text;
  ReadFileStart(path, text);
  ChartTextDifficulties(text, flags);
}

void ChartTextDifficulties(std::string_view text, bool flags[DifficultyCount]) {
  for (int d = 0; d < DifficultyCount; ++d) flags[d] = false;
  std::string word;
  bool tooLong = false;  // the current word passed LongestChartToken and is refused
  auto endWord = [&] {
    if (!tooLong) MatchTags(word, flags);
    word.clear();
    tooLong = false;
  };
  for (char c : text) {
    if (IsBlank(c))
      endWord();
    else if (word.size() < LongestChartToken)
      word += c;
    else
      tooLong = true;
  }
  endWord();
}
