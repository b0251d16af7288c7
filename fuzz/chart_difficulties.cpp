// Any bytes as a song's chart file, scanned for the difficulties it offers.
// The scan must flag exactly the tags that begin a word of at most
// LongestChartToken characters, however long the file or its words.
#include <string>
#include <string_view>

#include "charts/chart_file.h"
#include "fuzz_support.h"

namespace {

// The rule written out the plain way: split at white space, test each word.
void ExpectedFlags(std::string_view text, bool flags[DifficultyCount]) {
  for (int d = 0; d < DifficultyCount; ++d) flags[d] = false;
  size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && IsFormattedSpace(static_cast<unsigned char>(text[i]))) ++i;
    size_t start = i;
    while (i < text.size() && !IsFormattedSpace(static_cast<unsigned char>(text[i]))) ++i;
    std::string_view word = text.substr(start, i - start);
    if (word.empty() || word.size() > LongestChartToken) continue;
    for (int d = 0; d < DifficultyCount; ++d)
      if (word.substr(0, std::string_view(SectionTags[d]).size()) == SectionTags[d]) flags[d] = true;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  bool flags[DifficultyCount];
  for (bool& f : flags) f = true;  // the reader must clear what it does not find
  ReadChartDifficulties(InputAsFile(data, size), flags);
  bool expected[DifficultyCount];
  ExpectedFlags(text, expected);
  for (int d = 0; d < DifficultyCount; ++d) FUZZ_CHECK(flags[d] == expected[d]);
  return 0;
}
