// zedov-import: converts a StepMania step file (.sm or .ssc) into a Zedov chart file from
// the shell, with the game's own converter, for converting whole song packs.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "charts/chart_file.h"
#include "charts/safe_file.h"
#include "charts/step_import.h"

namespace {

constexpr const char* Usage =
    "usage: zedov-import STEPFILE [CHART.tq]\n"
    "Converts the dance-single charts (Beginner to Challenge) of a StepMania\n"
    "step file, .sm or .ssc (told apart by what the file holds), into a\n"
    "Zedov chart. With CHART the chart file is replaced whole; without it\n"
    "the chart is printed. The game names a song's chart after its music\n"
    "file: Music/Track.ogg -> Music/Track.ogg.tq.\n";

int Fail(const std::string& path, const std::string& why) {
  std::fprintf(stderr, "zedov-import: %s: %s\n", path.c_str(), why.c_str());
  return 1;
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
  std::vector<ChartSection> sections;
  if (!ReadStepFile(step, sections)) return Fail(step, "cannot read the step file");
  if (sections.empty()) return Fail(step, "no dance-single chart of Beginner to Challenge in it");
  std::string chart = ChartText(sections);
  if (argc == 2) {
    std::fwrite(chart.data(), 1, chart.size(), stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
  }
  std::string why;
  if (!ReplaceFile(argv[2], chart, why)) return Fail(argv[2], "cannot write the chart file: " + why);
  return 0;
}
