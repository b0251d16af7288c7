// The scan of Music/ for loose songs, song folders and packs.
#include "charts/packs.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cstdint>

#include <algorithm>

#include "charts/folder_scan.h"
#include "charts/library.h"
#include "charts/step_head.h"
#include "charts/step_tags.h"
#include "charts/text.h"

namespace {

// The kind from the listing; links (followed) and unknowns ask the file system.
// A link loop or a link to nothing cannot be followed and counts as neither.
EntryKind KindOf(int folder, const char* name, unsigned char type) {
  if (type == DT_REG) return FileEntry;
  if (type == DT_DIR) return FolderEntry;
  if (type != DT_LNK && type != DT_UNKNOWN) return OtherEntry;
  struct stat info;
  if (fstatat(folder, name, &info, 0) != 0) return OtherEntry;
  return S_ISREG(info.st_mode) ? FileEntry : S_ISDIR(info.st_mode) ? FolderEntry : OtherEntry;
}

// The raw listing of the kernel (what readdir reads), without readdir's
// allocation per folder: a big library has ten thousand folders to read.
struct RawEntry {
  uint64_t inode;
  int64_t next;
  unsigned short length;
  unsigned char type;
  char name[1];
};
alignas(8) char ListingBuffer[32 * 1024];

// The entries of a folder but "." and "..", in no order; none when it cannot be read.
std::vector<ListedEntry> ReadFolder(const std::string& path) {
  std::vector<ListedEntry> entries;
  int folder = open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC | O_NONBLOCK);
  if (folder < 0) return entries;
  long got;
  while ((got = syscall(SYS_getdents64, folder, ListingBuffer, sizeof ListingBuffer)) > 0) {
    for (long at = 0; at < got;) {
      const auto* entry = reinterpret_cast<const RawEntry*>(ListingBuffer + at);
      at += entry->length;
      std::string_view name = entry->name;
      if (name != "." && name != "..") entries.push_back({std::string(name), KindOf(folder, entry->name, entry->type)});
    }
  }
  close(folder);
  return entries;
}

// The first of the folder's files of a kind, by name; empty when none.
std::string FirstFile(const std::vector<ListedEntry>& entries, bool (*isKind)(const std::string&)) {
  const std::string* first = nullptr;
  for (const ListedEntry& entry : entries)
    if (entry.kind == FileEntry && isKind(entry.name) && (first == nullptr || ListedBefore(entry.name, *first)))
      first = &entry.name;
  return first != nullptr ? *first : std::string();
}

// The step file StepMania would read in the folder, of its files in name order.
std::string StepFileIn(const std::vector<ListedEntry>& entries) {
  std::vector<std::string> names;
  for (const ListedEntry& entry : entries)
    if (entry.kind == FileEntry && (IsSscName(entry.name) || IsSmName(entry.name))) names.push_back(entry.name);
  std::sort(names.begin(), names.end(), ListedBefore);
  return PreferredStepFile(names);
}

// With several music files, the one the step file names (the last part of
// its #MUSIC, in any letter case) wins over the first by name.
std::string MusicIn(const std::vector<ListedEntry>& entries, const std::string& stepPath) {
  std::string first = FirstFile(entries, IsSongName);
  int count = 0;
  for (const ListedEntry& entry : entries) count += entry.kind == FileEntry && IsSongName(entry.name);
  if (count < 2 || stepPath.empty()) return first;
  std::string named = ReadStepHead(stepPath).music;
  named = named.substr(named.find_last_of("/\\") + 1);
  for (const ListedEntry& entry : entries)
    if (entry.kind == FileEntry && IsSongName(entry.name) && SameLetters(entry.name, named)) return entry.name;
  return first;
}

// A song folder at `below` (the path below Music/), listed by `name`; false when it holds no music.
bool ReadSongFolder(const std::string& below, const std::string& name, const std::vector<ListedEntry>& entries,
                    LibrarySong& song) {
  std::string step = StepFileIn(entries);
  std::string music = MusicIn(entries, step.empty() ? step : "Music/" + below + "/" + step);
  if (music.empty()) return false;
  song = {below + "/" + music, name, step.empty() ? step : below + "/" + step, false};
  return true;
}

// The song folders of a pack, by name.
std::vector<LibrarySong> PackSongs(const std::string& pack, const std::vector<ListedEntry>& entries) {
  std::vector<LibrarySong> songs;
  for (const ListedEntry& entry : entries) {
    if (entry.kind != FolderEntry) continue;
    std::string below = pack + "/" + entry.name;
    LibrarySong song;
    if (ReadSongFolder(below, entry.name, ReadFolder("Music/" + below), song)) songs.push_back(std::move(song));
  }
  std::sort(songs.begin(), songs.end(), [](const auto& a, const auto& b) { return ListedBefore(a.name, b.name); });
  return songs;
}

// A folder of Music/ itself: a song folder, a pack, or neither.
void ReadTopFolder(const std::string& name) {
  std::vector<ListedEntry> entries = ReadFolder("Music/" + name);
  LibrarySong song;
  if (ReadSongFolder(name, name, entries, song)) {
    LooseSongs.push_back(std::move(song));
    return;
  }
  std::vector<LibrarySong> songs = PackSongs(name, entries);
  if (!songs.empty()) Packs.push_back({name, std::move(songs)});
}

}  // namespace

void ScanSongLibrary() {
  Packs.clear();
  LooseSongs.clear();
  for (const ListedEntry& entry : ReadFolder("Music")) {
    if (IsSongName(entry.name)) LooseSongs.push_back({entry.name, entry.name, "", true});
    if (entry.kind == FolderEntry) ReadTopFolder(entry.name);
  }
  std::sort(Packs.begin(), Packs.end(), [](const auto& a, const auto& b) { return ListedBefore(a.name, b.name); });
  std::stable_sort(LooseSongs.begin(), LooseSongs.end(),
                   [](const auto& a, const auto& b) { return ListedBefore(a.name, b.name); });
}

std::string StepFileOfSong(const std::string& song) {
  size_t slash = song.rfind('/');
  if (slash == std::string::npos) return {};
  std::string step = StepFileIn(ReadFolder("Music/" + song.substr(0, slash)));
  return step.empty() ? step : song.substr(0, slash + 1) + step;
}

std::vector<ListedEntry> ListFolder(const std::string& path) { return ReadFolder(path); }

bool SongOfFolder(const std::string& below, const std::string& name, const std::vector<ListedEntry>& entries,
                  LibrarySong& song) {
  return ReadSongFolder(below, name, entries, song);
}
