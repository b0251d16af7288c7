// The song library: the entries of the Music/ folder, the per-song file
// names, and the small text operations shared by the song and chart code.
#pragma once
#include <string>
#include <vector>

struct SongEntry {
  std::string name;  // file name as listed, in its own letter case, extension included
};

// Every entry of Music/ (files of any kind and sub-folders, but not the
// folder itself nor its parent), sorted by name without regard to letter
// case. Rebuilt by ScanMusicFolder.
inline std::vector<SongEntry> SongList;

// Empties SongList and fills it anew from Music/; a missing or unreadable folder gives none.
void ScanMusicFolder();

// The order of every list of names: without regard to the letter case of
// a..z, and by the bytes where that leaves a tie.
bool ListedBefore(const std::string& a, const std::string& b);

inline constexpr size_t DisplayNameLength = 50;  // longest label of a list entry

// A label: the name without its last extensionLength bytes, as the font can
// draw it (see FoldToAscii), cut to 50 drawn characters. File names on disk,
// and the chart and score names made from them, never change.
std::string DisplayName(const std::string& name, int extensionLength);

// Extension tests: letter case does not matter.
bool IsSongName(const std::string& name);       // ends with .mp3 or .ogg
bool IsStepFileName(const std::string& name);   // ends with .sm or .ssc

// The entries of SongList of one kind, in list order, with their list labels
// (DisplayName with the kind's extension length).
struct ListedFiles {
  std::vector<std::string> names;
  std::vector<std::string> labels;
};
ListedFiles ListFiles(bool (*isKind)(const std::string&), int extensionLength);

// Per-song paths, relative to the working directory; the music file's
// extension and letter case stay in them (Track.mp3 -> Music/Track.mp3.tq).
std::string MusicPath(const std::string& song);
std::string ChartPath(const std::string& song);
std::string ScorePath(const std::string& song);
