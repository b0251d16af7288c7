// The folder reading of the song library's scan, for the scan's cache:
// a folder's entries with their kinds, and a song folder made of them.
#pragma once
#include <string>
#include <vector>

#include "charts/packs.h"

enum EntryKind : int { OtherEntry, FileEntry, FolderEntry };

struct ListedEntry {
  std::string name;
  EntryKind kind = OtherEntry;
};

// The entries of a folder but "." and "..", in no order; none when it cannot be read.
std::vector<ListedEntry> ListFolder(const std::string& path);

// The song of a folder at `below` (the path below Music/), listed by `name`,
// from the folder's entries; false when it holds no music.
bool SongOfFolder(const std::string& below, const std::string& name, const std::vector<ListedEntry>& entries,
                  LibrarySong& song);
