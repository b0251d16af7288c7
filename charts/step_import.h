// Importing a step file from disk into a chart file: the game's import screen
// and the zedov-import command both come here.
#pragma once
#include <string>
#include <vector>

#include "charts/chart_file.h"

enum class ImportResult : int {
  Written,      // the chart file was replaced by the converted chart
  CannotRead,   // the step file is missing or unreadable; the chart is untouched
  NoChart,      // the step file holds no chart the game can play; the chart is untouched
  CannotWrite,  // the new chart could not be written; the old one is untouched
};

// Reads and converts a whole step file; false when it cannot be opened or
// read, is no regular file, or is larger than 16 MB (MostFileBytes).
bool ReadStepFile(const std::string& path, std::vector<ChartSection>& sections);

// Converts the step file into the chart file, replacing it whole and atomically
// only when the step file gave at least one section, and never over the step
// file itself (by its path or a link). With CannotWrite, why
// says what went wrong (see ReplaceFile).
ImportResult ImportStepFile(const std::string& stepPath, const std::string& chartPath, std::string& why);
ImportResult ImportStepFile(const std::string& stepPath, const std::string& chartPath);
