// The song select: the packs of Music/, then its loose songs and song
// folders, seven rows at a time. A pack's row opens it into its songs, and
// "Back" returns to the packs at the row left. Letters and digits typed filter
// the rows shown; Backspace takes the last one back. Typed at the top level,
// they search every song of the library, packs' songs by their title and
// their pack's name, listed flat with the pack beside each.
#pragma once
#include <string>

// Position of the first row shown at the top level and in the open pack. The
// top level's is kept across visits and rescans, so the list opens where the
// player left it.
inline int SongListScroll = 0;
inline int PackListScroll = 0;

inline std::string OpenPack;     // the name of the pack shown, empty at the top level
inline std::string TopSearch;    // the text typed at the top level
inline std::string PackSearch;   // the text typed in the open pack
inline bool SongRowsStale = true;  // list the rows again in the next frame: set after a scan

// Called every frame while Screen is SongSelect.
void RunSongSelect();
