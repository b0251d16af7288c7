// The song library's cache: its records, its file, and the open that uses them.
#include "charts/library_cache.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <unordered_map>
#include <unordered_set>

#include "charts/favourites.h"
#include "charts/folder_scan.h"
#include "charts/library.h"
#include "charts/safe_file.h"
#include "charts/step_head.h"

namespace {

constexpr std::string_view CacheHeader = "zedov song cache 2\n";
constexpr int RecordFields = 21;

// What one folder below Music/ ("Pack" or "Pack/Song") was when last read.
struct FolderRecord {
  int64_t folderTime = 0;  // of the folder, in nanoseconds
  int64_t stepTime = 0;    // of its step file, 0 for none
  bool isSong = false;
  LibrarySong song;
  StepHead head;
  SongInfo info;
  std::vector<std::string> folders;  // of a folder of Music/ that holds no music: its sub-folders
  unsigned seen = 0;                 // the open that last listed it
  bool headKept = false;             // its head handed to the step-file reader in this run
};

std::unordered_map<std::string, FolderRecord> Records;  // by the path below Music/
bool CacheLoaded = false;
unsigned Opens = 0;
bool CacheChanged = false;
std::unordered_map<std::string, SongInfo> LooseInfos;
std::unordered_set<std::string> PacksToCheck;  // listed from the cache, their song folders not yet asked

int MusicFolder = AT_FDCWD;  // Music/ held open while the library opens: shorter paths to walk

// The modification time of a path (below Music/ while it is open) in nanoseconds; -1 when it cannot be asked.
int64_t ModifiedAt(const std::string& path) {
  struct stat info;
  bool below = MusicFolder != AT_FDCWD && path.starts_with("Music/");
  if (fstatat(MusicFolder, path.c_str() + (below ? 6 : 0), &info, 0) != 0) return -1;
  return static_cast<int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
}

// A field of the file: tabs, line ends and backslashes escaped.
void Put(std::string& out, std::string_view text) {
  for (char c : text) {
    if (c == '\\' || c == '\t' || c == '\n' || c == '\r')
      out += '\\', out += c == '\t' ? 't' : c == '\n' ? 'n' : c == '\r' ? 'r' : '\\';
    else
      out += c;
  }
  out += '\t';
}

void PutNumber(std::string& out, double number) {
  char text[32];
  auto end = std::to_chars(text, text + sizeof text, number).ptr;
  out.append(text, end), out += '\t';
}

std::string Joined(const std::vector<std::string>& names, char between) {
  std::string text;
  for (const std::string& name : names) text += (text.empty() ? "" : std::string(1, between)) + name;
  return text;
}

void PutRecord(std::string& out, const std::string& below, const FolderRecord& r) {
  Put(out, below);
  out += std::to_string(r.folderTime) + '\t' + std::to_string(r.stepTime) + '\t' + (r.isSong ? "1" : "0") + '\t';
  for (const std::string* text : {&r.song.song, &r.song.name, &r.song.stepFile, &r.head.title, &r.head.subtitle,
                                  &r.head.titleTranslit, &r.head.subtitleTranslit, &r.head.music, &r.info.artist, &r.info.banner})
    Put(out, *text);
  for (double number : {r.head.sampleStart, r.head.sampleLength, r.info.bpmLow, r.info.bpmHigh, r.info.seconds})
    PutNumber(out, number);
  std::vector<std::string> meters;
  for (int meter : r.info.meters) meters.push_back(std::to_string(meter));
  Put(out, Joined(meters, ','));
  Put(out, Joined(r.folders, '/'));  // no name holds a '/'
  out.back() = '\n';
}

// A field of the file into its text, with no copy made beyond the text itself.
void TakeText(std::string_view field, std::string& text) {
  if (field.find('\\') == std::string_view::npos) return text.assign(field), void();
  text.clear();
  for (size_t i = 0; i < field.size(); ++i) {
    char c = field[i];
    if (c == '\\' && i + 1 < field.size()) c = field[++i], c = c == 't' ? '\t' : c == 'n' ? '\n' : c == 'r' ? '\r' : c;
    text += c;
  }
}

template <typename Number>
bool Take(std::string_view field, Number& number) {
  auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), number);
  return error == std::errc() && end == field.data() + field.size();
}

// The next part of a list field up to `between` (or its end), taken off the list.
std::string_view NextPart(std::string_view& list, char between) {
  size_t at = list.find(between);
  std::string_view part = list.substr(0, at);
  list.remove_prefix(at == std::string_view::npos ? list.size() : at + 1);
  return part;
}

// One line of the file, its first field (the path, taken by the caller) aside, into a fresh record; false when it is not one.
bool TakeRecord(std::string_view line, FolderRecord& r) {
  std::string_view fields[RecordFields];
  int count = 0;
  for (; count < RecordFields && !line.empty(); ++count) {
    size_t tab = line.find('\t');
    fields[count] = line.substr(0, tab);
    line.remove_prefix(tab == std::string_view::npos ? line.size() : tab + 1);
  }
  if (count < RecordFields - 2 || !line.empty()) return false;  // the last two fields may be empty
  std::string* texts[] = {&r.song.song, &r.song.name, &r.song.stepFile, &r.head.title, &r.head.subtitle,
                          &r.head.titleTranslit, &r.head.subtitleTranslit, &r.head.music, &r.info.artist, &r.info.banner};
  for (int k = 0; k < 10; ++k) TakeText(fields[4 + k], *texts[k]);
  double* numbers[] = {&r.head.sampleStart, &r.head.sampleLength, &r.info.bpmLow, &r.info.bpmHigh, &r.info.seconds};
  for (int k = 0; k < 5; ++k)
    if (!Take(fields[14 + k], *numbers[k])) return false;
  for (std::string_view meters = fields[19]; !meters.empty();)
    if (int m = 0; Take(NextPart(meters, ','), m)) r.info.meters.push_back(m); else return false;
  for (std::string_view names = fields[20]; !names.empty();) TakeText(NextPart(names, '/'), r.folders.emplace_back());
  r.isSong = fields[3] == "1";
  return Take(fields[1], r.folderTime) && Take(fields[2], r.stepTime) &&
         (fields[3] == "1" || fields[3] == "0");
}

// The cache file in one read straight into its text; false when it cannot be read whole.
bool ReadCacheFile(std::string& text) {
  FileRead found;
  int fd = OpenFileToRead(LibraryCachePath, 256 * 1024 * 1024, found);
  struct stat status;
  bool read = fd >= 0 && fstat(fd, &status) == 0;
  text.resize(read ? static_cast<size_t>(status.st_size) : 0);
  for (size_t got = 0; read && got < text.size();) {
    long piece = ReadPiece(fd, text.data() + got, text.size() - got);
    read = piece > 0;  // the file is replaced whole, never written in place: it cannot end sooner
    got += read ? static_cast<size_t>(piece) : 0;
  }
  if (fd >= 0) close(fd);
  return read;
}

// The file's records, or none at all when any line is not one. Each record
// is read in place in its table entry: no copy of its texts.
void LoadCache() {
  CacheLoaded = true;
  Records.clear();
  std::string text;
  if (!ReadCacheFile(text) || !text.starts_with(CacheHeader)) return;
  std::string_view rest = std::string_view(text).substr(CacheHeader.size());
  Records.reserve(std::count(rest.begin(), rest.end(), '\n'));
  std::string below;
  while (!rest.empty()) {
    size_t end = rest.find('\n');
    if (end == std::string_view::npos) return Records.clear();  // cut short
    std::string_view line = rest.substr(0, end);
    TakeText(line.substr(0, line.find('\t')), below);
    FolderRecord& record = Records[below];
    record = FolderRecord{};
    if (below.empty() || !TakeRecord(line, record)) return Records.clear();
    rest.remove_prefix(end + 1);
  }
}

void SaveCache() {
  std::string text(CacheHeader);
  for (const auto& [below, record] : Records) PutRecord(text, below, record);
  ReplaceFile(LibraryCachePath, text);
}

// Reads a folder anew into its record.
void ReadFolderRecord(const std::string& below, const std::string& name, bool top, int64_t folderTime,
                      FolderRecord& r) {
  std::vector<ListedEntry> entries = ListFolder("Music/" + below);
  for (const ListedEntry& entry : entries)
    if (entry.kind == FileEntry && IsStepFileName(entry.name)) ForgetStepHead("Music/" + below + "/" + entry.name);
  r = FolderRecord{};
  r.folderTime = folderTime;
  r.isSong = SongOfFolder(below, name, entries, r.song);
  if (r.isSong) {
    std::string step = r.song.stepFile.empty() ? "" : MusicPath(r.song.stepFile);
    r.stepTime = step.empty() ? 0 : ModifiedAt(step);
    if (!step.empty()) r.head = ReadStepHead(step);
    r.info = ReadSongInfo(MusicPath(r.song.song), step);
    std::vector<std::string> files;
    for (const ListedEntry& entry : entries)
      if (entry.kind == FileEntry) files.push_back(entry.name);
    std::string banner = BannerIn(r.info.banner, files);
    r.info.banner = banner.empty() ? banner : below + "/" + banner;
  }
  for (const ListedEntry& entry : entries)
    if (top && !r.isSong && entry.kind == FolderEntry) r.folders.push_back(entry.name);
  std::sort(r.folders.begin(), r.folders.end(), ListedBefore);  // the pack's songs then list in name order
  ++FoldersRead;
  CacheChanged = true;
}

// The record of a folder, read again when its time or its step file's differs from the one kept.
const FolderRecord& VisitFolder(const std::string& below, const std::string& name, bool top) {
  int64_t folderTime = ModifiedAt("Music/" + below);
  FolderRecord& r = Records[below];
  bool same = r.folderTime != 0 && r.folderTime == folderTime;  // a new record has no time
  if (same && r.isSong && !r.song.stepFile.empty()) same = ModifiedAt(MusicPath(r.song.stepFile)) == r.stepTime;
  if (!same) ReadFolderRecord(below, name, top, folderTime, r);
  if (!r.headKept && r.isSong && !r.song.stepFile.empty()) KeepStepHead(MusicPath(r.song.stepFile), r.head);
  r.headKept = true;
  r.seen = Opens;
  return r;
}

// A pack's song folders as kept, their times not asked (trusted), or asked and read again where changed.
std::vector<LibrarySong> PackSongsOf(const std::string& name, const FolderRecord& top, bool trusted) {
  std::vector<LibrarySong> songs;
  songs.reserve(top.folders.size());
  std::string below;
  for (const std::string& folder : top.folders) {
    below.assign(name).append(1, '/').append(folder);
    auto kept = trusted ? Records.find(below) : Records.end();
    FolderRecord* r = kept != Records.end() && kept->second.folderTime != 0 ? &kept->second : nullptr;
    if (r == nullptr) r = const_cast<FolderRecord*>(&VisitFolder(below, folder, false));
    r->seen = Opens;
    if (r->isSong) songs.push_back(r->song);
  }
  return songs;
}

// A pack whose folder is as it was holds the song folders it held; their own
// times are asked when the pack is shown (CheckPack), not for every pack on
// every open.
void ListTopFolder(const std::string& name) {
  int readBefore = FoldersRead;
  const FolderRecord& top = VisitFolder(name, name, true);
  if (top.isSong) return LooseSongs.push_back(top.song);
  bool trusted = FoldersRead == readBefore;
  Pack pack{name, PackSongsOf(name, top, trusted)};
  if (trusted) PacksToCheck.insert(name);
  if (!pack.songs.empty()) Packs.push_back(std::move(pack));
}

bool ByName(const auto& a, const auto& b) { return ListedBefore(a.name, b.name); }

// Sorts by name; a list already in that order (as the cache keeps a pack's) is only looked through.
template <typename Item>
void SortByName(std::vector<Item>& items) {
  if (!std::is_sorted(items.begin(), items.end(), ByName<Item, Item>)) std::sort(items.begin(), items.end(), ByName<Item, Item>);
}

}  // namespace

void OpenSongLibrary(SongOrder order) {
  if (!CacheLoaded) LoadCache();
  ++Opens;
  FoldersRead = 0;
  CacheChanged = false;
  LooseInfos.clear();
  PacksToCheck.clear();
  Packs.clear();
  LooseSongs.clear();
  MusicFolder = open("Music", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (MusicFolder < 0) return Packs.clear(), LooseSongs.clear();  // no library: nothing listed, nothing written
  for (const ListedEntry& entry : ListFolder("Music")) {
    if (IsSongName(entry.name)) LooseSongs.push_back({entry.name, entry.name, "", true});
    if (entry.kind == FolderEntry) ListTopFolder(entry.name);
  }
  if (MusicFolder != AT_FDCWD) close(MusicFolder);
  MusicFolder = AT_FDCWD;
  size_t before = Records.size();
  std::erase_if(Records, [](const auto& kept) { return kept.second.seen != Opens; });  // folders gone
  CacheChanged = CacheChanged || Records.size() != before;
  if (CacheChanged) SaveCache();
  SortByName(Packs);
  for (Pack& pack : Packs) SortByName(pack.songs);
  std::stable_sort(LooseSongs.begin(), LooseSongs.end(), ByName<LibrarySong, LibrarySong>);
  SortSongLibrary(order);
}

bool CheckPack(const std::string& name, SongOrder order) {
  if (PacksToCheck.erase(name) == 0) return false;
  auto top = Records.find(name);
  auto pack = std::find_if(Packs.begin(), Packs.end(), [&](const Pack& p) { return p.name == name; });
  if (top == Records.end() || pack == Packs.end()) return false;
  int readBefore = FoldersRead;
  pack->songs = PackSongsOf(name, top->second, false);
  SortByName(pack->songs);
  SortSongs(pack->songs, order);
  if (pack->songs.empty()) Packs.erase(pack);
  if (FoldersRead != readBefore) SaveCache();
  return true;
}

void CheckSongFolder(const LibrarySong& song) {
  size_t slash = song.song.rfind('/'), folder = slash == std::string::npos ? slash : song.song.rfind('/', slash - 1);
  if (folder == std::string::npos || !PacksToCheck.contains(song.song.substr(0, folder))) return;
  std::string below = song.song.substr(0, slash);
  VisitFolder(below, below.substr(folder + 1), false);
}

void SortSongLibrary(SongOrder order) {
  ListFavouritesPack(order);
  for (Pack& pack : Packs) SortSongs(pack.songs, order);
  SortSongs(LooseSongs, order);
}

const SongInfo& SongInfoOf(const LibrarySong& song) {
  size_t slash = song.song.rfind('/');
  if (slash != std::string::npos) {
    auto found = Records.find(song.song.substr(0, slash));
    if (found != Records.end() && found->second.isSong && found->second.song.song == song.song) return found->second.info;
  }
  auto kept = LooseInfos.find(song.song);
  if (kept != LooseInfos.end()) return kept->second;
  return LooseInfos.emplace(song.song, ReadSongInfo(MusicPath(song.song), song.stepFile.empty() ? "" : MusicPath(song.stepFile)))
      .first->second;
}

void ForgetLibraryCache() {
  Records.clear();
  LooseInfos.clear();
  CacheLoaded = false;
}
