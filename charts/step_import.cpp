// Step file in, chart file out.
#include "charts/step_import.h"

#include <unistd.h>

#include <filesystem>

#include "charts/safe_file.h"
#include "charts/step_file.h"

namespace {

constexpr size_t ReadChunk = 64 * 1024;

}  // namespace

bool ReadStepFile(const std::string& path, std::vector<ChartSection>& sections) {
  sections.clear();
  // A file past the limit is refused whole, by its size: a half-read one would give cut charts.
  FileRead found;
  int fd = OpenFileToRead(path, MostFileBytes, found);
  if (fd < 0) return false;
  StartStepConversion();
  std::vector<char> buffer(ReadChunk);
  size_t total = 0;
  long got;
  while ((got = ReadPiece(fd, buffer.data(), buffer.size())) > 0 && (total += static_cast<size_t>(got)) <= MostFileBytes)
    FeedStepText({buffer.data(), static_cast<size_t>(got)});
  close(fd);
  sections = FinishStepConversion();
  // Not at its end: a read failed, or the file grew past the limit while read.
  if (got != 0) sections.clear();
  return got == 0;
}

ImportResult ImportStepFile(const std::string& stepPath, const std::string& chartPath, std::string& why) {
  std::error_code error;  // a chart that does not exist yet is no other file
  if (std::filesystem::equivalent(stepPath, chartPath, error)) {
    why = "it is the step file itself";
    return ImportResult::CannotWrite;
  }
  std::vector<ChartSection> sections;
  if (!ReadStepFile(stepPath, sections)) return ImportResult::CannotRead;
  // A file with nothing to play must not wipe the song's chart.
  if (sections.empty()) return ImportResult::NoChart;
  return ReplaceFile(chartPath, ChartText(sections), why) ? ImportResult::Written : ImportResult::CannotWrite;
}

ImportResult ImportStepFile(const std::string& stepPath, const std::string& chartPath) {
  std::string why;
  return ImportStepFile(stepPath, chartPath, why);
}
