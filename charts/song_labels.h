// What the song list shows for a song or a pack, and the search over it.
#pragma once
#include <string>

#include "charts/packs.h"

// A loose music file: its name without the extension, as always. A song
// folder: the #TITLE of its step file and its #SUBTITLE where given, else the
// folder's name. Folded to what the font draws, at most 50 characters. The
// step file is read the first time only (see ReadStepHead).
std::string SongLabel(const LibrarySong& song);

// The title line of a chosen song (below Music/, as SelectedSong): the label
// of its row in the song list. Kept for the song last asked for.
const std::string& SongTitle(const std::string& song);

// A pack's name as the font draws it, at most 50 characters.
std::string PackName(const Pack& pack);

// A pack's row: its name and how many songs it holds ("Ballads (12 songs)").
std::string PackLabel(const Pack& pack);

// Whether the label holds the typed text anywhere, letter case aside. Labels
// are folded already, so a typed "e" finds an "é" of the name.
bool LabelMatches(const std::string& label, const std::string& typed);
