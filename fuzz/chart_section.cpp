// Any bytes as a song's chart file, read for each difficulty as the song start
// reads it. Whatever the bytes, at most MostRecordsRead - 1 notes come out; and
// when no word is longer than LongestChartToken (so the length guard never
// speaks), the notes are exactly those of the reading rule carried out with
// plain formatted stream input. The chart writer writes any notes read so
// that they read back the same.
#include <cstdint>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "charts/chart_file.h"
#include "fuzz_support.h"

namespace {

bool SameNote(const Note& a, const Note& b) {
  return a.column == b.column && a.time == b.time && a.hold == b.hold;
}

// The reading rule, step by step, on a standard stream.
std::vector<Note> ExpectedNotes(const std::string& text, int difficulty) {
  std::istringstream in(text);
  std::vector<Note> notes;
  bool inSection = false;
  std::string word;
  while (in.good() && notes.size() < static_cast<size_t>(MostRecordsRead)) {
    if (!inSection) {
      if ((in >> word) && word.compare(0, std::string_view(SectionTags[difficulty]).size(),
                                       SectionTags[difficulty]) == 0)
        inSection = true;
      continue;
    }
    Note note;
    in >> note.column >> note.time >> note.hold >> word;
    notes.push_back(note);
  }
  if (!notes.empty()) notes.pop_back();
  return notes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  bool plain = LongestRun(text) <= LongestChartToken;
  std::vector<Note> notes;
  for (int d = 0; d < DifficultyCount; ++d) {
    std::istringstream in(text);
    notes = ReadChartSection(in, d);
    FUZZ_CHECK(notes.size() < static_cast<size_t>(MostRecordsRead));
    if (!plain) continue;
    std::vector<Note> expected = ExpectedNotes(text, d);
    FUZZ_CHECK(notes.size() == expected.size());
    for (size_t i = 0; i < expected.size(); ++i) FUZZ_CHECK(SameNote(notes[i], expected[i]));
  }
  // The file road reads the same notes as the stream road.
  const std::vector<Note> fromStream = notes;
  notes = ReadChartSection(InputAsFile(data, size), DifficultyCount - 1);
  FUZZ_CHECK(notes.size() == fromStream.size());
  for (size_t i = 0; i < fromStream.size(); ++i) FUZZ_CHECK(SameNote(notes[i], fromStream[i]));
  // Whatever was read, the chart writer writes it so that it reads back the same.
  std::ostringstream written;
  WriteChartSection(written, Medium, fromStream);
  FUZZ_CHECK(written.str().empty() == fromStream.empty());
  std::istringstream back(written.str());
  notes = ReadChartSection(back, Medium);
  FUZZ_CHECK(notes.size() == fromStream.size());
  for (size_t i = 0; i < fromStream.size(); ++i) FUZZ_CHECK(SameNote(notes[i], fromStream[i]));
  // A difficulty outside 0..4 reads nothing.
  FUZZ_CHECK(ReadChartSection(InputAsFile(data, size), DifficultyCount).empty());
  return 0;
}
