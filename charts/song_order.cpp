// Sorting the songs of the list.
#include "charts/song_order.h"

#include <algorithm>

#include "charts/library.h"
#include "charts/library_cache.h"
#include "charts/song_info.h"

namespace {

constexpr const char* Words[SongOrderCount] = {"name", "artist", "tempo", "difficulty"};

// What a song sorts by: a text for the artist, a number for the others; empty or 0 for none.
struct SortKey {
  std::string text;
  double number = 0;
  const LibrarySong* song = nullptr;
};

SortKey KeyOf(const LibrarySong& song, SongOrder order, const SongInfo& info) {
  SortKey key{{}, 0, &song};
  double low = 0, high = 0;
  switch (order) {
    case SongOrder::ByName: break;
    case SongOrder::ByArtist: key.text = info.artist; break;
    case SongOrder::ByTempo: TempoOf(song.song, info, low, high), key.number = high; break;
    case SongOrder::ByDifficulty: key.number = info.meters.empty() ? 0 : info.meters.back() + 1; break;
  }
  return key;
}

// Songs without a key come after those with one; equal keys go by name.
bool KeyBefore(const SortKey& a, const SortKey& b) {
  bool aHas = !a.text.empty() || a.number > 0, bHas = !b.text.empty() || b.number > 0;
  if (aHas != bHas) return aHas;
  if (a.text != b.text) return ListedBefore(a.text, b.text);
  if (a.number != b.number) return a.number < b.number;
  return ListedBefore(a.song->name, b.song->name);
}

}  // namespace

const char* SongOrderWord(SongOrder order) { return Words[static_cast<int>(order)]; }

bool SongOrderNamed(std::string_view word, SongOrder& order) {
  for (int k = 0; k < SongOrderCount; ++k)
    if (word == Words[k]) return order = static_cast<SongOrder>(k), true;
  return false;
}

std::string SongOrderLabel(SongOrder order) {
  return order == SongOrder::ByDifficulty ? "by level" : std::string("by ") + SongOrderWord(order);
}

SongOrder NextSongOrder(SongOrder order) { return static_cast<SongOrder>((static_cast<int>(order) + 1) % SongOrderCount); }

void SortSongs(std::vector<LibrarySong>& songs, SongOrder order) {
  auto byName = [](const LibrarySong& a, const LibrarySong& b) { return ListedBefore(a.name, b.name); };
  if (order == SongOrder::ByName && std::is_sorted(songs.begin(), songs.end(), byName)) return;  // as listed, most often
  if (order == SongOrder::ByName) return std::stable_sort(songs.begin(), songs.end(), byName);
  std::vector<SortKey> keys;
  keys.reserve(songs.size());
  for (const LibrarySong& song : songs) keys.push_back(KeyOf(song, order, SongInfoOf(song)));
  std::stable_sort(keys.begin(), keys.end(), KeyBefore);
  std::vector<LibrarySong> sorted;
  sorted.reserve(songs.size());
  for (const SortKey& key : keys) sorted.push_back(std::move(*const_cast<LibrarySong*>(key.song)));
  songs = std::move(sorted);
}
