// Starting a song, and the play state.
#pragma once

// Called every frame while Screen is SongStart.
void StartSong();
