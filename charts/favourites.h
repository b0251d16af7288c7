// The player's favourite songs: the file "favourites" beside Music/, one
// song (its music below Music/, as LibrarySong::song) a line, in the order
// marked. A song that is not in the library now is kept in the file and
// shown nowhere, so a pack moved away and back keeps its marks.
#pragma once
#include <string>
#include <vector>

#include "charts/song_order.h"

inline constexpr const char* FavouritesPath = "favourites";

// Every song of the file, missing ones too. Read from the file the first
// time anything here is asked, and kept for the run.
const std::vector<std::string>& FavouriteSongs();

bool IsFavourite(const std::string& song);

// Marks a song, or takes its mark back, and writes the file atomically
// (a file that cannot be written keeps its old text; the mark holds for the run).
void ToggleFavourite(const std::string& song);

// Forgets what was read, so the next question reads the file again (for the tests).
void ForgetFavourites();

// The Favourites row opens like a pack: a pack of this name (no folder can
// have it), drawn as "Favourites".
inline constexpr const char* FavouritesPackName = "/";

// Puts the Favourites pack first in Packs, holding every favourite song
// listed now (from the packs and Music/ itself) in the order; no such pack
// while none is listed.
void ListFavouritesPack(SongOrder order);
