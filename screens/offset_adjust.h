// The results' offer to fix the audio offset from the play's own timing.
#pragma once
#include "game/press_timing.h"

// Left of "Play again": "Adjust offset +14 ms" when the play's timing offers
// an adjustment (OffsetAdjustment); pressed, the audio offset changes by it
// and is saved, and a line in the button's place says so. entered: the
// results were just entered, with a play not yet adjusted for.
void RunOffsetAdjust(const TimingSummary& timing, bool entered);
