// The song select: the songs of Music/ (MP3 and OGG), seven rows at a time.
#pragma once

// Position, among the songs, of the first song shown. Kept across visits
// and rescans, so the list opens where the player left it.
inline int SongListScroll = 0;

// Called every frame while Screen is SongSelect.
void RunSongSelect();
