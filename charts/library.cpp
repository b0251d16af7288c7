// The song library: the scan of Music/ and the names made from a song's.
#include "charts/library.h"

#include <algorithm>
#include <filesystem>

#include "charts/text.h"
#include "charts/text_fold.h"

namespace {

std::string Lowered(std::string text) {
  for (char& c : text) c = LowerAscii(c);
  return text;
}

bool HasExtension(const std::string& name, std::string_view extension) {
  return name.size() >= extension.size() &&
         SameLetters(std::string_view(name).substr(name.size() - extension.size()), extension);
}

}  // namespace

void ScanMusicFolder() {
  SongList.clear();
  namespace fs = std::filesystem;
  std::error_code error;
  fs::directory_iterator it("Music", error);
  if (error) return;
  SongList.push_back({"."});
  SongList.push_back({".."});
  for (; it != fs::directory_iterator(); it.increment(error)) {
    if (error) break;
    SongList.push_back({it->path().filename().string()});
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

std::string DisplayName(const std::string& name, int extensionLength) {
  size_t drop = extensionLength > 0 ? static_cast<size_t>(extensionLength) : 0;
  size_t keep = name.size() > drop ? name.size() - drop : 0;
  return FoldToAscii(std::string_view(name).substr(0, keep)).substr(0, DisplayNameLength);
}

bool IsSongName(const std::string& name) { return HasExtension(name, ".mp3") || HasExtension(name, ".ogg"); }
bool IsStepFileName(const std::string& name) { return HasExtension(name, ".sm"); }

ListedFiles ListFiles(bool (*isKind)(const std::string&), int extensionLength) {
  ListedFiles listed;
  for (const SongEntry& entry : SongList) {
    if (!isKind(entry.name)) continue;
    listed.names.push_back(entry.name);
    listed.labels.push_back(DisplayName(entry.name, extensionLength));
  }
  return listed;
}

std::string MusicPath(const std::string& song) { return "Music/" + song; }
std::string ChartPath(const std::string& song) { return "Music/" + song + ".tq"; }
std::string ScorePath(const std::string& song) { return "Music/" + song + ".score"; }
