// The songs of Music/ as a player lays them out: loose music files as ever,
// song folders (a folder holding a music file and usually a step file), and
// packs (a folder holding song folders). Nothing in them is moved or renamed:
// a song is known by the path of its music below Music/, which is what
// SelectedSong holds and what its chart and score names are made from.
#pragma once
#include <string>
#include <vector>

// One song of the list.
struct LibrarySong {
  std::string song;      // its music below Music/: "Track.mp3", "Song/Track.ogg", "Pack/Song/Track.ogg"
  std::string name;      // the entry it is listed by: the loose file's name, or the song folder's
  std::string stepFile;  // its step file below Music/ (a .ssc before a .sm), empty for none
  bool looseFile = false;  // a music file (or anything named like one) lying in Music/ itself
};

struct Pack {
  std::string name;                // the folder's name
  std::vector<LibrarySong> songs;  // its song folders, by name
};

// Rebuilt by ScanSongLibrary; both sorted by name without regard to letter case.
inline std::vector<Pack> Packs;
inline std::vector<LibrarySong> LooseSongs;  // loose files and song folders of Music/ itself

// Reads Music/ and the folders in it, two levels deep and no deeper. Every
// entry whose name ends like a song file is listed as a loose song, as it
// always was, whatever it is; a folder is a song folder or a pack only by
// what it holds. Folders that cannot be read, links that lead nowhere and
// anything that is neither file nor folder are passed over.
void ScanSongLibrary();

// The step file of a song in a song folder (below Music/, a .ssc before a
// .sm, the first by name), or empty for a loose song or a folder without one.
std::string StepFileOfSong(const std::string& song);
