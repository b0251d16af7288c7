// Reading and keeping the heads of step files.
#include "charts/step_head.h"

#include <algorithm>
#include <cstdlib>
#include <unordered_map>

#include "charts/safe_file.h"
#include "charts/step_tags.h"
#include "charts/text.h"

namespace {

std::unordered_map<std::string, StepHead> HeadsRead;  // by path, for the whole run

// A number as the tag gives it, or -1 when it is none.
double Seconds(const std::string& value) {
  char* end = nullptr;
  double seconds = std::strtod(value.c_str(), &end);
  if (end == value.c_str() || !(seconds >= 0 && seconds < 1e6)) return -1;
  return seconds;
}

// Where a tag first stands, its name in any letter case; npos when nowhere.
size_t FindTag(std::string_view text, std::string_view upperName) {
  auto at = std::search(text.begin(), text.end(), upperName.begin(), upperName.end(),
                        [](char a, char b) { return UpperAscii(a) == b; });
  return at == text.end() ? std::string_view::npos : static_cast<size_t>(at - text.begin());
}

StepHead HeadOf(std::string_view text) {
  // The notes are no concern here, and long: the head ends where they begin.
  size_t notes = std::min(FindTag(text, "#NOTES"), FindTag(text, "#NOTEDATA"));
  if (notes != std::string_view::npos) text = text.substr(0, notes);
  StepHead head;
  for (const StepTag& tag : ReadStepTags(text)) {
    std::string value(Trimmed(tag.value));
    if (tag.name == "TITLE") head.title = value;
    if (tag.name == "SUBTITLE") head.subtitle = value;
    if (tag.name == "TITLETRANSLIT") head.titleTranslit = value;
    if (tag.name == "SUBTITLETRANSLIT") head.subtitleTranslit = value;
    if (tag.name == "MUSIC") head.music = value;
    if (tag.name == "SAMPLESTART") head.sampleStart = Seconds(value);
    if (tag.name == "SAMPLELENGTH") head.sampleLength = Seconds(value);
  }
  if (head.sampleLength == 0) head.sampleLength = -1;
  return head;
}

}  // namespace

const StepHead& ReadStepHead(const std::string& path) {
  auto found = HeadsRead.find(path);
  if (found != HeadsRead.end()) return found->second;
  std::string text;
  ReadFileStart(path, text, StepHeadBytes);
  return HeadsRead.emplace(path, HeadOf(text)).first->second;
}

void KeepStepHead(const std::string& path, const StepHead& head) { HeadsRead.insert_or_assign(path, head); }

void ForgetStepHead(const std::string& path) { HeadsRead.erase(path); }
