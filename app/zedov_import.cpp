// zedov-import: converts a StepMania step file (.sm or .ssc) into a Zedov chart file from
// the shell, with the game's own converter, for converting whole song packs.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "charts/chart_file.h"
#include "charts/step_import.h"

namespace {

constexpr const char* Usage =
    "usage: zedov-import STEPFILE [CHART.tq]\n"
    "Converts the dance-single charts (Beginner to Challenge) of a StepMania\n"
    "step file, .sm or .ssc (told apart by what the file holds), into a\n"
    "Zedov chart. With CHART the chart file is replaced whole; without it\n"
    "the chart is printed. The game names a song's chart after its music\n"
    "file: Music/Track.ogg -> Music/Track.ogg.tq.\n";

constexpr const char* CannotRead = "cannot read the step file";
constexpr const char* NoChart = "no dance-single chart of Beginner to Challenge in it";

int Fail(const std::string& path, const std::string& why) {
  std::fprintf(stderr, "zedov-import: %s: %s\n", path.c_str(), why.c_str());
  return 1;
}

// The chart file replaced whole, as the game's import screen does it (never over the step file itself).
int Import(const std::string& step, const std::string& chart) {
  std::string why;
  switch (ImportStepFile(step, chart, why)) {
    case ImportResult::Written: return 0;
    case ImportResult::CannotRead: return Fail(step, CannotRead);
    case ImportResult::NoChart: return Fail(step, NoChart);
    case ImportResult::CannotWrite: break;
  }
  return Fail(chart, "cannot write the chart file: " + why);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
    std::fputs(Usage, stdout);
    return 0;
  }
  if (argc < 2 || argc > 3) {
    std::fputs(Usage, stderr);
    return 2;
  }
  const std::string step = argv[1];
  if (argc == 3) return Import(step, argv[2]);
  std::vector<ChartSection> sections;
  if (!ReadStepFile(step, sections)) return Fail(step, CannotRead);
  if (sections.empty()) return Fail(step, NoChart);
  std::string chart = ChartText(sections);
  std::fwrite(chart.data(), 1, chart.size(), stdout);
  return std::fflush(stdout) == 0 ? 0 : 1;
}
