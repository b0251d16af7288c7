// Where a song's folder really lies.
#include "charts/inside_music.h"

#include <algorithm>
#include <filesystem>

#include "charts/library.h"

bool SongFolderOutsideMusic(const std::string& song) {
  namespace fs = std::filesystem;
  std::error_code error, folderError;
  fs::path music = fs::canonical("Music", error);
  fs::path folder = fs::canonical(fs::path(MusicPath(song)).parent_path(), folderError);
  if (error || folderError) return false;
  auto [m, f] = std::mismatch(music.begin(), music.end(), folder.begin(), folder.end());
  return m != music.end();  // Music/'s path is not the start of the folder's
}
