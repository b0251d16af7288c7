// Converting a StepMania step file (.sm) into the game's chart.
//
// What is read: "#OFFSET:" (seconds; beat 0 lies at minus this in the music),
// "#BPMS:" and "#STOPS:" (beat=value lists, possibly over several lines up to
// their ";"), and the "#NOTES:" blocks. A block's header is five fields ended
// by ":" (step type, description, difficulty, meter, radar values), on one
// line or over several; then come measures separated by "," and rows of four
// note characters, spread evenly over the measure's four beats, up to the ";"
// that ends the block. Every dance-single block of Beginner to Challenge with
// notes becomes one section; other step types and Edit charts are skipped.
//
// A block also ends at the next line beginning with "#", or at the next
// header, so that two blocks never merge when a ";" is missing. Without a
// "#NOTES:" header, a line ending with a difficulty name and ":" ("Easy:")
// starts a block, as hand-made files have always been read.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "charts/chart_file.h"

inline constexpr int MostNotesPerBlock = 1000;  // later notes and hold ends of a block are dropped
inline constexpr int MostSections = 1000;       // bounds the chart of a hostile file

// Starts a conversion afresh: no tempo, no offset, no block, no sections.
void StartStepConversion();

// Feeds the next bytes of the step file, which may arrive split anywhere.
void FeedStepText(std::string_view bytes);

// Ends the file, closes a block still open, and returns the sections found, in file order.
std::vector<ChartSection> FinishStepConversion();

// A whole file held in memory, converted into chart text.
std::string ConvertStepText(std::string_view text);
