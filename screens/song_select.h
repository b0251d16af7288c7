// The song select: the MP3 songs of Music/, seven rows at a time.
#pragma once

// Called every frame while Screen is SongSelect.
void RunSongSelect();
