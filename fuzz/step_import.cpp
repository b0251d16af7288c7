// Any bytes as a StepMania step file (.sm or .ssc), converted into chart text.
// The bytes are taken three ways: as a whole file; as the tags of an .ssc
// chart section after a song of its own timing (split timing, warps, delays
// and fakes read from the bytes); and as the note data of such a section. The
// chart must keep the format every reader relies on (sections of a start tag,
// records of column 0..3, time, hold and "----" with maybe a place in the beat
// and a roll's "r", and "<stop>", each maybe followed by its "<mines>" and its
// "<meter>"; no token longer than 16 characters; at most 1000 notes a section).
#include <cstdint>
#include <sstream>
#include <string>
#include <string_view>

#include "charts/chart_file.h"
#include "charts/step_file.h"
#include "fuzz_support.h"

namespace {

constexpr size_t LongestWrittenToken = 16;

bool IsWholeNumber(const std::string& token) {
  size_t start = !token.empty() && token[0] == '-' ? 1 : 0;
  if (start == token.size()) return false;
  for (size_t i = start; i < token.size(); ++i)
    if (token[i] < '0' || token[i] > '9') return false;
  return token.size() - start == 1 || token[start] != '0';  // no leading zeros
}

bool IsSeparator(std::string token, bool mine) {
  if (!token.starts_with("----")) return false;
  token.erase(0, 4);
  if (mine) return token.empty();
  if (token.ends_with('r')) token.pop_back();
  for (const char* place : {"", "4", "8", "12", "16", "24", "32", "64", "x"})
    if (token == place) return true;
  return false;
}

// Records up to "<stop>": column, time, hold, separator; mines have no hold.
int CheckRecords(std::istringstream& in, bool mines) {
  std::string token;
  int notes = 0;
  for (;;) {
    FUZZ_CHECK(in >> token);
    FUZZ_CHECK(token.size() <= LongestWrittenToken);
    if (token == "<stop>") return notes;
    FUZZ_CHECK(token.size() == 1 && token[0] >= '0' && token[0] <= '3');
    FUZZ_CHECK(in >> token);
    FUZZ_CHECK(IsWholeNumber(token) && token.size() <= LongestWrittenToken);
    FUZZ_CHECK(in >> token);
    FUZZ_CHECK(IsWholeNumber(token) && token.size() <= LongestWrittenToken && (!mines || token == "0"));
    FUZZ_CHECK(in >> token);
    FUZZ_CHECK(IsSeparator(token, mines));
    ++notes;
  }
}

void CheckChartText(const std::string& chart) {
  std::istringstream in(chart);
  std::string token;
  bool afterSection = false;
  while (in >> token) {
    if (afterSection && token == "<mines>") {
      int mines = CheckRecords(in, true);
      FUZZ_CHECK(mines >= 1 && mines <= MostNotesPerBlock);
      continue;
    }
    if (afterSection && token == "<meter>") {
      FUZZ_CHECK(in >> token && IsWholeNumber(token) && token[0] != '-' && token != "0");
      FUZZ_CHECK(in >> token && token == "<stop>");
      afterSection = false;
      continue;
    }
    bool isTag = false;
    for (const char* tag : SectionTags) isTag = isTag || token == tag;
    FUZZ_CHECK(isTag);
    int notes = CheckRecords(in, false);
    FUZZ_CHECK(notes >= 1 && notes <= MostNotesPerBlock);  // no empty section is written
    afterSection = true;
  }
}

constexpr std::string_view SscSong =
    "#VERSION:0.83;#OFFSET:-0.05;#BPMS:0=120,8=-60,9=150;#STOPS:4=0.5,12=-0.25;#DELAYS:6=0.1;"
    "#WARPS:16=2;#FAKES:20=1;\n";
constexpr std::string_view SscChart = "#NOTEDATA:;#STEPSTYPE:dance-single;#DIFFICULTY:Hard;\n";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  CheckChartText(ConvertStepText(text));
  CheckChartText(ConvertStepText(std::string(SscSong) + std::string(SscChart) + std::string(text)));
  CheckChartText(ConvertStepText(std::string(SscSong) + std::string(SscChart) + "#NOTES:" + std::string(text)));
  return 0;
}
