// Labels of the song list and the search over them.
#include "charts/song_labels.h"

#include <algorithm>

#include "charts/favourites.h"
#include "charts/library.h"
#include "charts/step_head.h"
#include "charts/text.h"
#include "charts/text_fold.h"

namespace {

std::string Joined(const std::string& title, const std::string& subtitle) {
  return subtitle.empty() ? title : title + " " + subtitle;
}

// Whether the font draws the text: folding leaves no '?' the text did not have.
bool Drawable(const std::string& text) {
  return std::count(text.begin(), text.end(), '?') == std::ranges::count(FoldToAscii(text), '?');
}

}  // namespace

// A title in a script the font lacks (Japanese, say) gives way to its
// transliteration, else to the folder's name, which packs mostly spell in Latin.
std::string SongLabel(const LibrarySong& song) {
  if (song.looseFile) return DisplayName(song.name, 4);
  const StepHead* head = song.stepFile.empty() ? nullptr : &ReadStepHead(MusicPath(song.stepFile));
  if (head != nullptr && !head->title.empty() && Drawable(head->title))
    return DisplayName(Joined(head->title, Drawable(head->subtitle) ? head->subtitle : head->subtitleTranslit), 0);
  if (head != nullptr && !head->titleTranslit.empty()) return DisplayName(Joined(head->titleTranslit, head->subtitleTranslit), 0);
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

std::string PackName(const Pack& pack) { return pack.name == FavouritesPackName ? "Favourites" : DisplayName(pack.name, 0); }

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
