// The settings file: keys, ranges and the line reader.
#include "charts/settings_file.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "charts/safe_file.h"
#include "charts/song_order.h"
#include "charts/text.h"

namespace {

constexpr size_t LongestLine = 256;

struct Key {
  std::string_view name;
  int Settings::*value;
  int lowest;
  int highest;
};

constexpr Key Keys[] = {
    {"audio_offset_ms", &Settings::audioOffsetMs, -LongestOffsetMs, LongestOffsetMs},
    {"visual_offset_ms", &Settings::visualOffsetMs, -LongestOffsetMs, LongestOffsetMs},
    {"pad_left", &Settings::padLeft, -1, 255},
    {"pad_down", &Settings::padDown, -1, 255},
    {"pad_up", &Settings::padUp, -1, 255},
    {"pad_right", &Settings::padRight, -1, 255},
    {"pad_pause", &Settings::padPause, -1, 255},
    {"pad_select", &Settings::padSelect, -1, 255},
    {"music_volume", &Settings::musicVolume, 0, LoudestMusic},
    {"window_scale", &Settings::windowScale, 1, 4},
    {"fullscreen", &Settings::fullScreen, 0, 1},
    {"audio_buffer", &Settings::audioBuffer, AudioBufferSizes[0], AudioBufferSizes[3]},
};

// A value among its choices: the audio buffer takes only the sizes of AudioBufferSizes.
bool AmongChoices(const Key& key, long long number) {
  if (key.value != &Settings::audioBuffer) return true;
  for (int size : AudioBufferSizes)
    if (number == size) return true;
  return false;
}

constexpr std::string_view ScrollSpeedKey = "scroll_speed";
constexpr std::string_view ArrowColoursKey = "arrow_colours";
constexpr std::string_view ArrowColourWords[2] = {"lane", "beat"};
constexpr std::string_view SongOrderKey = "song_order";
constexpr size_t LongestKeyName = 40;

// A key as it may be shown in a message: printable ASCII only, and short.
std::string Shown(std::string_view text) {
  std::string shown;
  for (char c : text.substr(0, 40)) shown += c >= 32 && c <= 126 ? c : '?';
  return shown;
}

// A speed of 1.00 to 4.00 in steps of 0.25, written with a point.
bool TakeSpeed(std::string_view value, double& speed) {
  double number = 0;
  auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), number, std::chars_format::fixed);
  if (value.empty() || error != std::errc() || end != value.data() + value.size()) return false;
  if (number < SlowestScroll || number > FastestScroll || std::fmod(number, ScrollStep) != 0) return false;
  speed = number;
  return true;
}

// A key's name as SDL spells it ("left", "a", "left shift"); checked against
// the keyboard when the settings are used.
bool TakeKeyName(std::string_view name, std::string_view value, Settings& settings) {
  for (int column = 0; column < 4; ++column) {
    if (name != ColumnKeyNameKeys[column]) continue;
    if (value.empty() || value.size() > LongestKeyName) return false;
    settings.*ColumnKeyNames[column] = std::string(value);
    return true;
  }
  return false;
}

// Why the line is bad, or empty when it was taken.
std::string TakeLine(std::string_view line, Settings& settings) {
  line = line.substr(0, line.find('#'));  // a comment may be of any length
  if (line.size() > LongestLine) return "line longer than " + std::to_string(LongestLine) + " characters";
  line = Trimmed(line);
  if (line.empty()) return "";
  size_t equals = line.find('=');
  if (equals == std::string_view::npos) return "no \"=\" between a key and its value";
  std::string_view name = Trimmed(line.substr(0, equals)), value = Trimmed(line.substr(equals + 1));
  if (name == ScrollSpeedKey) {
    if (TakeSpeed(value, settings.scrollSpeed)) return "";
    return "scroll_speed must be a number from 1.00 to 4.00 in steps of 0.25";
  }
  if (name == ArrowColoursKey) {
    if (value != ArrowColourWords[0] && value != ArrowColourWords[1]) return "arrow_colours must be lane or beat";
    settings.arrowColoursByBeat = value == ArrowColourWords[1];
    return "";
  }
  if (name == SongOrderKey) {
    SongOrder order;
    if (!SongOrderNamed(value, order)) return "song_order must be name, artist, tempo or difficulty";
    settings.songOrder = value;
    return "";
  }
  for (std::string_view key : ColumnKeyNameKeys)
    if (name == key) {
      if (TakeKeyName(name, value, settings)) return "";
      return std::string(key) + " must name a key, in at most " + std::to_string(LongestKeyName) + " characters";
    }
  for (const Key& key : Keys) {
    if (name != key.name) continue;
    if (value.starts_with('+')) value.remove_prefix(1);
    long long number = 0;
    auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), number);
    bool whole = !value.empty() && error == std::errc() && end == value.data() + value.size();
    if (whole && !AmongChoices(key, number)) return "audio_buffer must be 256, 512, 1024 or 2048";
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
  text.remove_prefix(ByteOrderMarkLength(text));
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

std::vector<std::pair<std::string, std::string>> SettingsValues(const Settings& settings) {
  std::vector<std::pair<std::string, std::string>> values;
  for (const Key& key : Keys) values.emplace_back(key.name, std::to_string(settings.*key.value));
  char speed[16];
  std::snprintf(speed, sizeof speed, "%.2f", settings.scrollSpeed);
  values.emplace_back(ScrollSpeedKey, speed);
  for (int column = 0; column < 4; ++column) values.emplace_back(ColumnKeyNameKeys[column], settings.*ColumnKeyNames[column]);
  values.emplace_back(ArrowColoursKey, ArrowColourWords[settings.arrowColoursByBeat ? 1 : 0]);
  values.emplace_back(SongOrderKey, settings.songOrder);
  return values;
}

std::string_view LineKey(std::string_view line) {
  line = line.substr(0, line.find('#'));
  size_t equals = line.find('=');
  return equals == std::string_view::npos ? std::string_view() : Trimmed(line.substr(0, equals));
}
