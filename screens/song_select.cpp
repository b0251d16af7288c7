#include "screens/song_select.h"

void RunSongSelect() {}
