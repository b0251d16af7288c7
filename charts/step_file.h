// Converting a StepMania step file (.sm) into the game's chart text.
//
// What is read: "#OFFSET:" (seconds; beat 0 lies at minus this in the music),
// "#BPMS:" and "#STOPS:" (beat=value lists, possibly over several lines up to
// their ";"), and the notes blocks: a block starts at a line ending with
// "Beginner:", "Easy:", "Medium:", "Hard:" or "Challenge:" and ends at a line
// beginning with ";". Its measures are separated by lines beginning with ","
// and hold rows of four note characters, spread evenly over the measure's
// four beats. Every block with notes becomes one chart section.
#pragma once
#include <string>
#include <string_view>

// Starts a conversion afresh: no tempo, no offset, no block; empties NoteList.
void StartStepConversion();

// Feeds the next bytes of the step file, which may arrive split anywhere.
void FeedStepText(std::string_view bytes);

// Ends the file, writes a block still open, and returns the chart text.
// NoteList is empty afterwards; SelectedDifficulty holds the last block's difficulty.
std::string FinishStepConversion();

// The three above for a whole file held in memory.
std::string ConvertStepText(std::string_view text);
