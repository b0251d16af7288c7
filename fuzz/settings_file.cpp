// Any bytes as the player's settings file. Every value stays in its range,
// the report stays short (at most MostSettingsProblems lines and one count,
// each short and printable), the file reads as its text does, and a byte
// order mark in front changes nothing.
#include <cstdint>
#include <string>
#include <vector>

#include "charts/settings_file.h"
#include "fuzz_support.h"

namespace {

bool Within(int value, int lowest, int highest) { return value >= lowest && value <= highest; }

bool SameSettings(const Settings& a, const Settings& b) {
  return a.audioOffsetMs == b.audioOffsetMs && a.padLeft == b.padLeft && a.padDown == b.padDown &&
         a.padUp == b.padUp && a.padRight == b.padRight && a.padPause == b.padPause &&
         a.padSelect == b.padSelect && a.windowScale == b.windowScale && a.fullScreen == b.fullScreen;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  std::vector<std::string> problems;
  Settings s = ParseSettings(text, problems);
  FUZZ_CHECK(Within(s.audioOffsetMs, -1000, 1000));
  for (int pad : {s.padLeft, s.padDown, s.padUp, s.padRight, s.padPause, s.padSelect})
    FUZZ_CHECK(Within(pad, -1, 255));
  FUZZ_CHECK(Within(s.windowScale, 1, 4));
  FUZZ_CHECK(Within(s.fullScreen, 0, 1));
  FUZZ_CHECK(problems.size() <= static_cast<size_t>(MostSettingsProblems) + 1);
  for (const std::string& problem : problems) {
    FUZZ_CHECK(problem.size() < 120);
    for (char c : problem) FUZZ_CHECK(c >= 32 && c <= 126);
  }

  std::vector<std::string> fromFile;
  FUZZ_CHECK(SameSettings(ReadSettingsFile(InputAsFile(data, size), fromFile), s));
  FUZZ_CHECK(fromFile == problems);
  if (!text.starts_with("\xEF\xBB\xBF")) {
    std::vector<std::string> marked;
    FUZZ_CHECK(SameSettings(ParseSettings("\xEF\xBB\xBF" + text, marked), s));
    FUZZ_CHECK(marked == problems);
  }
  return 0;
}
