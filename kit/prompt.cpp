#include "kit/prompt.h"

void DrawExitPrompt() {}
void DrawClockBars() {}
