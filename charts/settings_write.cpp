// The settings writer: values replaced in place, new keys appended.
#include "charts/settings_write.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <vector>

#include "charts/safe_file.h"
#include "charts/text.h"

namespace {

using Values = std::map<std::string, std::string, std::less<>>;

Values ValuesOf(std::string_view text) {
  std::vector<std::string> ignored;
  auto values = SettingsValues(ParseSettings(text, ignored));
  return Values(values.begin(), values.end());
}

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r'; }

// The line with its value (between "=" and a comment, blanks excluded)
// replaced; a byte order mark before the key stays.
std::string WithValue(std::string_view line, const std::string& value) {
  size_t start = line.find('=') + 1;
  size_t end = std::min(line.find('#'), line.size());
  while (start < end && IsSpace(line[start])) ++start;
  while (end > start && IsSpace(line[end - 1])) --end;
  std::string spaced = start == end && line[start - 1] == '=' ? " " + value : value;
  if (end < line.size() && line[end] == '#' && start == end) spaced += ' ';
  return std::string(line.substr(0, start)) + spaced + std::string(line.substr(end));
}

std::vector<std::string> Lines(std::string_view text) {
  std::vector<std::string> lines;
  while (!text.empty()) {
    size_t end = text.find('\n');
    lines.emplace_back(text.substr(0, end));
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
  }
  return lines;
}

std::string Joined(const std::vector<std::string>& lines, bool lastEnds) {
  std::string text;
  for (size_t i = 0; i < lines.size(); ++i) text += lines[i] + (i + 1 < lines.size() || lastEnds ? "\n" : "");
  return text;
}

// The last line that names the key, or -1.
int LastLineOf(const std::vector<std::string>& lines, std::string_view key) {
  for (int i = static_cast<int>(lines.size()) - 1; i >= 0; --i) {
    std::string_view line = lines[i];
    if (i == 0) line.remove_prefix(ByteOrderMarkLength(line));
    if (LineKey(line) == key) return i;
  }
  return -1;
}

}  // namespace

std::string SettingsText(std::string_view text, const Settings& settings) {
  std::vector<std::string> lines = Lines(text);
  const bool lastEnds = text.ends_with('\n');
  Values old = ValuesOf(Joined(lines, lastEnds));
  std::vector<std::pair<std::string, std::string>> wanted = SettingsValues(settings);
  std::vector<std::string> missing;
  for (const auto& [key, value] : wanted) {
    if (old.find(key)->second == value) continue;
    int line = LastLineOf(lines, key);
    if (line >= 0) {
      std::string before = lines[line];
      lines[line] = WithValue(before, value);
      // A line the reader would not take (too long, say) keeps its bytes; the key is appended instead.
      if (ValuesOf(Joined(lines, lastEnds)).find(key)->second == value) continue;
      lines[line] = before;
    }
    missing.push_back(key + " = " + value);
  }
  std::string result = Joined(lines, lastEnds);
  const char* newline = text.find("\r\n") != std::string_view::npos ? "\r\n" : "\n";
  for (const std::string& line : missing) {
    if (!result.empty() && !result.ends_with('\n')) result += newline;
    result += line + newline;
  }
  return result;
}

std::string SaveSettings(const std::string& path, const Settings& settings) {
  std::string text, why;
  switch (ReadWholeFile(path, text)) {
    case FileRead::Read:
    case FileRead::Missing: break;
    case FileRead::Unreadable: return "it cannot be read, so its lines cannot be kept";
    case FileRead::TooLarge: return "it is larger than 16 MB";
  }
  std::string changed = SettingsText(text, settings);
  // A settings file linked from a dotfiles folder stays a link: its target is replaced.
  if (changed == text || ReplaceFile(ThroughLinks(path), changed, why)) return "";
  return why;
}

void RemoveStaleSettingsTempFiles(const std::string& path) {
  for (const std::filesystem::path& file : {std::filesystem::path(path), std::filesystem::path(ThroughLinks(path))})
    RemoveStaleTempFiles(file.has_parent_path() ? file.parent_path().string() : ".", 0);
}
