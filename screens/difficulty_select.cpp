#include "screens/difficulty_select.h"

void RunDifficultySelect() {}
