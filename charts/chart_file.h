// The step chart file: for one song, the notes of up to five difficulties.
// A file is a sequence of sections: a start tag, notes of four tokens each
// (column, time, hold, "----"), and "<stop>"; one token per line.
#pragma once
#include <ostream>
#include <string>

// Start tags by difficulty; readers match them as prefixes of a token.
inline constexpr const char* SectionTags[5] = {
    "<startbeginner>", "<starteasy>", "<startmedium>", "<starthard>", "<startchallenge>"};

// Readers refuse longer tokens: no writer makes a token of more than 16 characters.
inline constexpr size_t LongestChartToken = 99;

// Writes NoteList as one section of SelectedDifficulty and empties the list.
// An empty list writes nothing at all.
void WriteChartSection(std::ostream& out);
