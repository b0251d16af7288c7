// The player's settings at start-up: read from zedov.conf and handed to the
// parts of the game they concern (screens/options.h keeps them from then on).
#pragma once

// Reads the settings file into PlayerSettings and reports each bad line on
// standard error. Called after SDL starts, before the window opens (at the
// scale and full screen PlayerSettings asks for).
void LoadSettings();
