#include "game/play.h"

void RunPlayScreen() {}
