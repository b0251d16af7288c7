// The orders the song list can be sorted in. Ties, and songs that lack what
// an order sorts by (they come last), go by the list's name order.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "charts/packs.h"

enum class SongOrder : int { ByName, ByArtist, ByTempo, ByDifficulty };
inline constexpr int SongOrderCount = 4;

// The word of zedov.conf's song_order ("name", "artist", "tempo",
// "difficulty"), and the order a word names; false for any other word.
const char* SongOrderWord(SongOrder order);
bool SongOrderNamed(std::string_view word, SongOrder& order);

// The button's label: "by name", "by artist", "by tempo", "by level" (the highest number).
std::string SongOrderLabel(SongOrder order);

// The next order of the cycle, after the last the first.
SongOrder NextSongOrder(SongOrder order);

// Sorts songs in the order, by their info as the library keeps it (SongInfoOf). Name order: the list's own (ListedBefore on the names). Artist:
// letter case aside. Tempo: the top of the song's range, slowest first.
// Difficulty: the highest number of its charts, lowest first.
void SortSongs(std::vector<LibrarySong>& songs, SongOrder order);
