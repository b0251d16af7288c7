#include "game/song_start.h"

void StartSong() {}
