// The settings file: keys, ranges and the line reader.
#include "charts/settings_file.h"

#include <charconv>

#include "charts/safe_file.h"
#include "charts/text.h"

namespace {

constexpr size_t LongestLine = 256;
constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";  // some editors start UTF-8 files with it

struct Key {
  std::string_view name;
  int Settings::*value;
  int lowest;
  int highest;
};

constexpr Key Keys[] = {
    {"audio_offset_ms", &Settings::audioOffsetMs, -1000, 1000},
    {"pad_left", &Settings::padLeft, -1, 255},
    {"pad_down", &Settings::padDown, -1, 255},
    {"pad_up", &Settings::padUp, -1, 255},
    {"pad_right", &Settings::padRight, -1, 255},
    {"pad_pause", &Settings::padPause, -1, 255},
    {"pad_select", &Settings::padSelect, -1, 255},
    {"window_scale", &Settings::windowScale, 1, 4},
    {"fullscreen", &Settings::fullScreen, 0, 1},
};

// A key as it may be shown in a message: printable ASCII only, and short.
std::string Shown(std::string_view text) {
  std::string shown;
  for (char c : text.substr(0, 40)) shown += c >= 32 && c <= 126 ? c : '?';
  return shown;
}

// Why the line is bad, or empty when it was taken.
std::string TakeLine(std::string_view line, Settings& settings) {
  if (line.size() > LongestLine) return "line longer than " + std::to_string(LongestLine) + " characters";
  line = Trimmed(line.substr(0, line.find('#')));
  if (line.empty()) return "";
  size_t equals = line.find('=');
  if (equals == std::string_view::npos) return "no \"=\" between a key and its value";
  std::string_view name = Trimmed(line.substr(0, equals)), value = Trimmed(line.substr(equals + 1));
  for (const Key& key : Keys) {
    if (name != key.name) continue;
    if (value.starts_with('+')) value.remove_prefix(1);
    long long number = 0;
    auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), number);
    bool whole = !value.empty() && error == std::errc() && end == value.data() + value.size();
    if (!whole || number < key.lowest || number > key.highest)
      return std::string(key.name) + " must be a whole number from " + std::to_string(key.lowest) + " to " +
             std::to_string(key.highest);
    settings.*key.value = static_cast<int>(number);
    return "";
  }
  return "unknown key \"" + Shown(name) + "\"";
}

}  // namespace

Settings ParseSettings(std::string_view text, std::vector<std::string>& problems) {
  Settings settings;
  int bad = 0, number = 0;
  if (text.starts_with(ByteOrderMark)) text.remove_prefix(ByteOrderMark.size());
  while (!text.empty()) {
    size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    ++number;
    std::string why = TakeLine(line, settings);
    if (why.empty()) continue;
    if (++bad <= MostSettingsProblems) problems.push_back("line " + std::to_string(number) + ": " + why);
  }
  if (bad > MostSettingsProblems)
    problems.push_back(std::to_string(bad - MostSettingsProblems) + " more bad lines not shown");
  return settings;
}

Settings ReadSettingsFile(const std::string& path, std::vector<std::string>& problems) {
  std::string text;
  switch (ReadWholeFile(path, text)) {
    case FileRead::Read: return ParseSettings(text, problems);
    case FileRead::Missing: break;
    case FileRead::Unreadable: problems.push_back("not a readable file; the defaults are used"); break;
    case FileRead::TooLarge: problems.push_back("larger than 16 MB; the defaults are used"); break;
  }
  return Settings{};
}
