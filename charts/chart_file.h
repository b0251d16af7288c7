// The step chart file of a song ("Music/<song>.tq"): the notes of up to five
// difficulties. The file is a sequence of sections, one token per line: a
// start tag, notes of four tokens each (column, time, hold, "----"), "<stop>".
// Its writer, its reader and the scan of its tags all live here.
#pragma once
#include <cstdint>
#include <istream>
#include <ostream>
#include <string>
#include <vector>

#include "charts/difficulty.h"

// One arrow: column 0 left, 1 down, 2 up, 3 right; time due in ms from the
// start of the music; hold 0 for a tap, else how long to hold in ms.
struct Note {
  int32_t column = 0;
  int32_t time = 0;
  int32_t hold = 0;
};

// The notes of one difficulty.
struct ChartSection {
  int difficulty = Beginner;
  std::vector<Note> notes;
};

// Start tags by difficulty; readers match them as prefixes of a token.
inline constexpr const char* SectionTags[DifficultyCount] = {
    "<startbeginner>", "<starteasy>", "<startmedium>", "<starthard>", "<startchallenge>"};

// Readers refuse longer tokens: no writer makes a token of more than 16 characters.
inline constexpr size_t LongestChartToken = 99;

// Most notes a song plays: the 990th record read is the one dropped (see ReadChartSection).
inline constexpr int MostRecordsRead = 990;

// Writes the notes as one section of the difficulty. No notes, or a
// difficulty outside the five, writes nothing at all.
void WriteChartSection(std::ostream& out, int difficulty, const std::vector<Note>& notes);

// The whole file's text for the sections, in their order.
std::string ChartText(const std::vector<ChartSection>& sections);

// The notes of the section of one difficulty, read as the song start has
// always read them: N records give N notes, at most MostRecordsRead - 1.
// A record is taken before it is read, so the one whose read meets the end of
// the section (its "<stop>") is the one left out; a missing file gives none.
// From a file, its first 16 MB are read (see ReadFileStart).
std::vector<Note> ReadChartSection(std::istream& in, int difficulty);
std::vector<Note> ReadChartSection(const std::string& path, int difficulty);

// Sets flags[d] when some word of the file begins with the start tag of d.
// The file's first 16 MB are scanned (see ReadFileStart); words longer than
// LongestChartToken count as no tag. A missing file sets no flag.
void ReadChartDifficulties(const std::string& path, bool flags[DifficultyCount]);
