// Step file in, chart file out.
#include "charts/step_import.h"

#include <cstdio>

#include "charts/safe_file.h"
#include "charts/step_file.h"

namespace {

constexpr size_t ReadChunk = 64 * 1024;

}  // namespace

bool ReadStepFile(const std::string& path, std::vector<ChartSection>& sections) {
  sections.clear();
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return false;
  StartStepConversion();
  std::vector<char> buffer(ReadChunk);
  size_t got;
  while ((got = std::fread(buffer.data(), 1, buffer.size(), file)) > 0) FeedStepText({buffer.data(), got});
  bool failed = std::ferror(file) != 0;  // a folder opens, but cannot be read
  std::fclose(file);
  sections = FinishStepConversion();
  if (failed) sections.clear();
  return !failed;
}

ImportResult ImportStepFile(const std::string& stepPath, const std::string& chartPath) {
  std::vector<ChartSection> sections;
  if (!ReadStepFile(stepPath, sections)) return ImportResult::CannotRead;
  // A file with nothing to play must not wipe the song's chart.
  if (sections.empty()) return ImportResult::NoChart;
  return ReplaceFile(chartPath, ChartText(sections)) ? ImportResult::Written : ImportResult::CannotWrite;
}
