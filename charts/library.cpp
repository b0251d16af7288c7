#include "charts/library.h"

#include <algorithm>
#include <filesystem>

#include "kit/font.h"

namespace {

std::string Lowered(std::string text) {
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return text;
}

bool EndsWithUpper(const std::string& name, const std::string& suffix) {
  std::string copy = name;
  UpperCase(copy);
  return EndsWith(copy, suffix);
}

}  // namespace

void ScanMusicFolder() {
  SongList.clear();
  namespace fs = std::filesystem;
  std::error_code error;
  fs::directory_iterator it("Music", error);
  if (error) return;
  SongList.push_back({".", 0});
  SongList.push_back({"..", 0});
  for (; it != fs::directory_iterator(); it.increment(error)) {
    if (error) break;
    SongList.push_back({it->path().filename().string(), 0});
  }
  // Sorted once by a lower-cased key: players expect an alphabetical list.
  std::vector<std::pair<std::string, SongEntry>> keyed;
  keyed.reserve(SongList.size());
  for (SongEntry& entry : SongList) keyed.emplace_back(Lowered(entry.name), std::move(entry));
  std::sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) {
    return a.first != b.first ? a.first < b.first : a.second.name < b.second.name;
  });
  for (size_t i = 0; i < keyed.size(); ++i) SongList[i] = std::move(keyed[i].second);
}

bool StartsWith(const std::string& text, const std::string& prefix) {
  return text.size() >= prefix.size() && text.compare(0, prefix.size(), prefix) == 0;
}

bool EndsWith(const std::string& text, const std::string& suffix) {
  return text.size() >= suffix.size() &&
         text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

std::string DisplayName(const std::string& name, int extensionLength) {
  size_t drop = extensionLength > 0 ? static_cast<size_t>(extensionLength) : 0;
  size_t keep = name.size() > drop ? name.size() - drop : 0;
  return name.substr(0, std::min<size_t>(keep, DisplayNameLength));
}

bool IsSongName(const std::string& name) { return EndsWithUpper(name, ".MP3"); }
bool IsStepFileName(const std::string& name) { return EndsWithUpper(name, ".SM"); }

std::string MusicPath(const std::string& song) { return "Music/" + song; }
std::string ChartPath(const std::string& song) { return "Music/" + song + ".tq"; }
std::string ScorePath(const std::string& song) { return "Music/" + song + ".score"; }
