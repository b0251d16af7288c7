// The game writes only inside Music/ (and the settings files beside it): a
// song folder may be a symbolic link to anywhere, and such a song is listed
// and played, but nothing is written beside its music.
#pragma once
#include <string>

// Why nothing is written for a song whose folder lies outside Music/.
inline constexpr const char* OutsideMusicLine = "this song's folder lies outside Music/";

// Whether the folder holding the song's music (below Music/), every symbolic
// link resolved, lies outside Music/ (resolved too). False when either
// cannot be resolved: then a write there fails and says why itself.
bool SongFolderOutsideMusic(const std::string& song);
