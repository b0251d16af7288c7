// The step chart file of a song ("Music/<song>.tq"): the notes of up to five
// difficulties. The file is a sequence of sections, one token per line: a
// start tag, notes of four tokens each (column, time, hold, "----"), "<stop>".
// Its writer, its reader and the scan of its tags all live here.
//
// What a plain reader passes over carries the rest of a chart: the fourth
// token of a note, never examined, is "----" followed by the note's place in
// the beat ("----16": a sixteenth) and "r" for a roll ("----4r"); and after a
// section's "<stop>" may follow, belonging to it, a "<mines>" section of
// entries like the notes' (column, time, 0, "----") and a "<meter>" section of
// one number, each ended by "<stop>". Their start tags are none of the
// difficulties', so the plain reader skips them unread and sees mines as
// nothing, rolls as holds and every arrow coloured by its column. A chart with
// none of this is written exactly as a plain one.
#pragma once
#include <cstdint>
#include <istream>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "charts/difficulty.h"

// Where an arrow falls in its beat; Unknown for a chart that does not say.
enum class BeatPlace : int8_t {
  Unknown, Quarter, Eighth, Twelfth, Sixteenth, TwentyFourth, ThirtySecond, SixtyFourth, Other
};

// One arrow: column 0 left, 1 down, 2 up, 3 right; time due in ms from the
// start of the music; hold 0 for a tap, else how long to hold in ms; a roll is
// a hold kept alive by tapping. A mine is a Note too: its column and time.
struct Note {
  int32_t column = 0;
  int32_t time = 0;
  int32_t hold = 0;
  bool roll = false;
  BeatPlace beat = BeatPlace::Unknown;
};

// The chart of one difficulty: its arrows, its mines, and the number its
// author gave its difficulty (0: none given).
struct ChartSection {
  int difficulty = Beginner;
  std::vector<Note> notes;
  std::vector<Note> mines = {};
  int meter = 0;
};

// The first token of a chart made from a song folder's step file; no reader takes it for a section.
inline constexpr const char* MadeFromStepFile = "<fromstepfile>";

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
// The same for a whole chart, its mines and meter after it; a chart of mines alone is written too.
void WriteChartSection(std::ostream& out, const ChartSection& section);

// The whole file's text for the sections, in their order; marked, it starts with MadeFromStepFile.
std::string ChartText(const std::vector<ChartSection>& sections, bool markedFromStepFile = false);

// Whether the chart file's first token is MadeFromStepFile.
bool ChartMarkedFromStepFile(const std::string& path);

// The notes of the section of one difficulty, read as the song start has
// always read them: N records give N notes, at most MostRecordsRead - 1.
// A record is taken before it is read, so the one whose read meets the end of
// the section (its "<stop>") is the one left out; a missing file gives none.
// From a file, its first 16 MB are read (see ReadFileStart).
std::vector<Note> ReadChartSection(std::istream& in, int difficulty);
std::vector<Note> ReadChartSection(const std::string& path, int difficulty);

// The same section with all it carries: notes as above (rolls and places in
// the beat from their fourth tokens), and the mines and meter that follow it.
ChartSection ReadChart(std::istream& in, int difficulty);
ChartSection ReadChart(const std::string& path, int difficulty);

// Sets flags[d] when some word of the file begins with the start tag of d.
// The file's first 16 MB are scanned (see ReadFileStart); words longer than
// LongestChartToken count as no tag. A missing file sets no flag.
void ReadChartDifficulties(const std::string& path, bool flags[DifficultyCount]);
void ChartTextDifficulties(std::string_view text, bool flags[DifficultyCount]);
