// The song list's panel on the lit song, below the list: its banner, its
// artist, its tempo and length, and the difficulty numbers of its charts.
// The banner is loaded only once the row has been lit for BannerDelayMs,
// so running down the list loads none; the last few loaded are kept.
#pragma once
#include <cstdint>

#include "charts/packs.h"

inline constexpr int BannerDelayMs = 250;
inline constexpr int BannersKept = 8;

// Called every frame of the song list with its lit song (null for none):
// loads the banner when its time has come.
void UpdateSongPanel(const LibrarySong* lit);

// The game clock's time when the panel changes by itself (its banner is due),
// or -1 for never.
int32_t SongPanelDueMs();

void DrawSongPanel(const LibrarySong* lit);

// The mark of a favourite on the list's row r (0 to 6) shown.
void DrawFavouriteMark(int r);

// Frees the banners kept; called when the song list is left.
void ForgetBanners();
