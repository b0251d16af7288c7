// The song list's sorting and favourites: F2 or the order's button at the
// top cycles the order (kept in zedov.conf as song_order); F3, Insert or
// the right mouse button marks the lit song a favourite or takes its mark back.
#pragma once
#include "charts/packs.h"
#include "charts/song_order.h"

// The order the player chose (song_order of the settings).
SongOrder ListOrder();

// Called every frame of the song list after its rows, with its lit song
// (null for none). True when the rows changed and must be listed again.
bool RunSongListControls(const LibrarySong* lit);
