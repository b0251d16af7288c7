// Converting a StepMania step file (.sm or .ssc) into the game's chart.
//
// The file is read as tags (see step_tags.h). Its format is known by what it
// holds: a file with "#NOTEDATA" sections is an .ssc file.
//
// An .sm file's "#NOTES:" tags are its charts: five header fields ended by
// ":" (step type, description, difficulty, meter, radar values), then the note
// data. A tag that ends before its header is whole gives no chart: header text
// is never read as notes. The song's timing tags (see step_file_timing.h) time
// every chart, wherever in the file they stand.
//
// An .ssc file's charts are its "#NOTEDATA:;" sections, each running to the
// next: "#STEPSTYPE", "#DIFFICULTY", "#METER" (the chart's number, as the
// .sm header's fourth field) and "#NOTES" (or "#NOTES2"); other tags such as
// "#DESCRIPTION" or "#RADARVALUES" are not needed. The tags
// before the first section are the song's. A section that carries any timing
// tag of its own ("#BPMS", "#STOPS", "#DELAYS", "#WARPS", "#OFFSET", "#FAKES")
// is timed by its own tags alone, a tag it leaves out counting as empty, but
// for "#OFFSET" and "#BPMS": those then come from the song, as StepMania
// plays the charts of real packs that leave them out.
//
// Every dance-single chart of Beginner to Challenge with notes becomes one
// section, in file order; other step types and Edit charts are skipped. A step
// type left empty is taken as dance-single.
//
// Hand-made files without tags: outside every tag, a line ending with a
// difficulty name and ":" ("Easy:") starts a chart of rows up to the next ";"
// or tag. Only rows, blank lines and "," may follow that line; anything else
// (the meter or radar line of a broken header) makes the chart give nothing,
// so that no header is ever read as measures.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "charts/chart_file.h"
#include "charts/step_file_notes.h"

inline constexpr int MostSections = 1000;  // bounds the chart of a hostile file

// The sections of the whole file, in file order. Cleans the text in place.
std::vector<ChartSection> StepFileSections(std::string& text);

// A whole file held in memory, converted into chart text.
std::string ConvertStepText(std::string_view text);

// The same for a file that arrives in pieces: start, feed the bytes (split
// anywhere), finish to get the sections.
void StartStepConversion();
void FeedStepText(std::string_view bytes);
std::vector<ChartSection> FinishStepConversion();
