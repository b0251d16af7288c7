// The song library opened at once: what the scan reads of every song folder
// (its song, the head of its step file, its info) is kept in the file
// "songs.cache" beside Music/ and for the run, and a folder is read again
// only when its modification time or its step file's has changed since. The
// folders themselves are listed, and their times asked, on every open, so
// a song added, removed or edited is shown as it is now.
#pragma once
#include <string>

#include "charts/packs.h"
#include "charts/song_info.h"
#include "charts/song_order.h"

inline constexpr const char* LibraryCachePath = "songs.cache";

// Fills Packs and LooseSongs as ScanSongLibrary does, their songs sorted in
// the order, with the Favourites pack first where a favourite is listed.
// Writes the cache file (atomically) when anything in it changed; a cache
// file that is corrupt, of another version or not ours is ignored and made anew.
void OpenSongLibrary(SongOrder order);

// A pack whose folder has not changed is listed with the song folders it
// held, their own times asked only when it is shown: CheckPack, called
// before a pack's rows are listed, asks them, reads again what changed and
// lists the pack anew (sorted in the order; no pack left when it lost its
// every song). True when it did so, false for a pack asked already.
bool CheckPack(const std::string& name, SongOrder order);

// The same for the one song folder of a song about to be shown alone (the
// lit song's panel): its info is read again when its folder or step file changed.
void CheckSongFolder(const LibrarySong& song);

// Sorts the songs of every pack and the loose songs again, in the order.
void SortSongLibrary(SongOrder order);

// The info of a song of the last open (read then, or now for a loose song).
const SongInfo& SongInfoOf(const LibrarySong& song);

// How many song folders the last open read anew (not from the cache).
inline int FoldersRead = 0;

// Forgets what the run kept, so the next open starts from the file (for the
// tests and the benchmarks).
void ForgetLibraryCache();
