// The song library: the scan of Music/ and the names made from a song's.
#include "charts/library.h"

#include <algorithm>
#include <filesystem>

#include "charts/text.h"
#include "charts/text_fold.h"

void ScanMusicFolder() {
  SongList.clear();
  namespace fs = std::filesystem;
  std::error_code error;
  fs::directory_iterator it("Music", error);
  if (error) return;
  for (; it != fs::directory_iterator(); it.increment(error)) {
    if (error) break;
    SongList.push_back({it->path().filename().string()});
  }
  // Players expect an alphabetical list.
  std::sort(SongList.begin(), SongList.end(), [](const auto& a, const auto& b) { return ListedBefore(a.name, b.name); });
}

bool ListedBefore(const std::string& a, const std::string& b) {
  size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    auto x = static_cast<unsigned char>(LowerAscii(a[i])), y = static_cast<unsigned char>(LowerAscii(b[i]));
    if (x != y) return x < y;
  }
  return a.size() != b.size() ? a.size() < b.size() : a < b;
}

std::string DisplayName(const std::string& name, int extensionLength) {
  size_t drop = extensionLength > 0 ? static_cast<size_t>(extensionLength) : 0;
  size_t keep = name.size() > drop ? name.size() - drop : 0;
  return FoldToAscii(std::string_view(name).substr(0, keep)).substr(0, DisplayNameLength);
}

bool IsSongName(const std::string& name) { return HasExtension(name, ".mp3") || HasExtension(name, ".ogg"); }
bool IsStepFileName(const std::string& name) { return HasExtension(name, ".sm") || HasExtension(name, ".ssc"); }

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
