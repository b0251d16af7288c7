// The favourites file.
#include "charts/favourites.h"

#include <algorithm>
#include <unordered_set>

#include "charts/packs.h"
#include "charts/safe_file.h"

namespace {

constexpr size_t MostFavourites = 100000;  // lines read; a longer file is no list of a player's
constexpr size_t LongestLine = 4096;

std::vector<std::string> Favourites;
bool FavouritesRead = false;

void ReadFavourites() {
  FavouritesRead = true;
  Favourites.clear();
  std::string text;
  if (ReadWholeFile(FavouritesPath, text) != FileRead::Read) return;
  size_t at = 0;
  while (at < text.size() && Favourites.size() < MostFavourites) {
    size_t end = std::min(text.find('\n', at), text.size());
    std::string line = text.substr(at, end - at);
    at = end + 1;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty() && line.size() <= LongestLine && !IsFavourite(line)) Favourites.push_back(line);
  }
}

}  // namespace

const std::vector<std::string>& FavouriteSongs() {
  if (!FavouritesRead) ReadFavourites();
  return Favourites;
}

bool IsFavourite(const std::string& song) {
  const std::vector<std::string>& songs = FavouriteSongs();
  return std::find(songs.begin(), songs.end(), song) != songs.end();
}

void ToggleFavourite(const std::string& song) {
  if (song.empty() || song.find('\n') != std::string::npos) return;  // a line holds one song
  if (IsFavourite(song))
    Favourites.erase(std::find(Favourites.begin(), Favourites.end(), song));
  else
    Favourites.push_back(song);
  std::string text;
  for (const std::string& line : Favourites) text += line + "\n";
  ReplaceFile(FavouritesPath, text);
}

void ForgetFavourites() { FavouritesRead = false, Favourites.clear(); }

void ListFavouritesPack(SongOrder order) {
  std::erase_if(Packs, [](const Pack& pack) { return pack.name == FavouritesPackName; });
  if (FavouriteSongs().empty()) return;
  Pack favourites{FavouritesPackName, {}};
  std::unordered_set<std::string> marked(FavouriteSongs().begin(), FavouriteSongs().end());
  for (const LibrarySong& song : LooseSongs)
    if (marked.contains(song.song)) favourites.songs.push_back(song);
  for (const Pack& pack : Packs)
    for (const LibrarySong& song : pack.songs)
      if (marked.contains(song.song)) favourites.songs.push_back(song);
  if (favourites.songs.empty()) return;
  SortSongs(favourites.songs, order);
  Packs.insert(Packs.begin(), std::move(favourites));
}
