// Labels of the song list and the search over them.
#include "charts/song_labels.h"

#include <algorithm>

#include "charts/library.h"
#include "charts/step_head.h"
#include "charts/text.h"
#include "charts/text_fold.h"

std::string SongLabel(const LibrarySong& song) {
  if (song.looseFile) return DisplayName(song.name, 4);
  if (!song.stepFile.empty()) {
    const StepHead& head = ReadStepHead(MusicPath(song.stepFile));
    if (!head.title.empty()) {
      std::string title = head.subtitle.empty() ? head.title : head.title + " " + head.subtitle;
      return DisplayName(title, 0);
    }
  }
  return DisplayName(song.name, 0);
}

const std::string& SongTitle(const std::string& song) {
  static std::string titled, title;  // the song last asked for, and its title
  if (song == titled && !title.empty()) return title;
  titled = song;
  size_t slash = song.rfind('/');
  if (slash == std::string::npos) return title = DisplayName(song, 4);
  size_t folder = song.rfind('/', slash - 1);
  folder = folder == std::string::npos ? 0 : folder + 1;
  return title = SongLabel({song, song.substr(folder, slash - folder), StepFileOfSong(song), false});
}

std::string PackName(const Pack& pack) { return DisplayName(pack.name, 0); }

std::string PackLabel(const Pack& pack) {
  size_t count = pack.songs.size();
  std::string counted = " (" + std::to_string(count) + (count == 1 ? " song)" : " songs)");
  // The count always shows: a long name gives way to it.
  return PackName(pack).substr(0, DisplayNameLength - counted.size()) + counted;
}

bool LabelMatches(const std::string& label, const std::string& typed) {
  auto same = [](char a, char b) { return LowerAscii(a) == LowerAscii(b); };
  return std::search(label.begin(), label.end(), typed.begin(), typed.end(), same) != label.end();
}
