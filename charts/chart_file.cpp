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

// Reads one record into a note taken beforehand; once a read fails the rest do nothing.
void ReadRecord(TokenReader& reader, std::vector<Note>& notes) {
  Note& note = notes.emplace_back();
  std::string separator;
  if (ReadNumber(reader, note.column) && ReadNumber(reader, note.time) && ReadNumber(reader, note.hold))
    ReadWord(reader, separator);
}

void MatchTags(const std::string& word, bool flags[DifficultyCount]) {
  for (int d = 0; d < DifficultyCount; ++d)
    if (word.starts_with(SectionTags[d])) flags[d] = true;
}

}  // namespace

void WriteChartSection(std::ostream& out, int difficulty, const std::vector<Note>& notes) {
  // A difficulty outside the five has no tag: its notes are dropped, not written under a wrong one.
  if (notes.empty() || !IsDifficulty(difficulty)) return;
  out << SectionTags[difficulty] << '\n';
  for (const Note& note : notes) out << note.column << '\n' << note.time << '\n' << note.hold << '\n' << "----\n";
  out << "<stop>\n";
}

std::string ChartText(const std::vector<ChartSection>& sections) {
  std::ostringstream out;
  for (const ChartSection& section : sections) WriteChartSection(out, section.difficulty, section.notes);
  return out.str();
}

std::vector<Note> ReadChartSection(std::istream& in, int difficulty) {
  std::vector<Note> notes;
  if (!IsDifficulty(difficulty)) return notes;
  notes.reserve(MostRecordsRead);
  TokenReader reader{in.rdbuf(), in.good() && in.rdbuf() != nullptr};
  bool inSection = false;
  std::string word;
  while (reader.good && static_cast<int>(notes.size()) < MostRecordsRead) {
    if (inSection)
      ReadRecord(reader, notes);
    else if (ReadWord(reader, word) && word.starts_with(SectionTags[difficulty]))
      inSection = true;
  }
  // The last record is the one whose pass met the end of the section.
  if (!notes.empty()) notes.pop_back();
  return notes;
}

std::vector<Note> ReadChartSection(const std::string& path, int difficulty) {
  std::string text;
  ReadFileStart(path, text);
  std::istringstream in(std::move(text));
  return ReadChartSection(in, difficulty);
}

void ReadChartDifficulties(const std::string& path, bool flags[DifficultyCount]) {
  for (int d = 0; d < DifficultyCount; ++d) flags[d] = false;
  std::string text;
  ReadFileStart(path, text);
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
