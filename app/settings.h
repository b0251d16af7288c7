// The player's settings at start-up: read from zedov.conf and handed to the
// parts of the game they concern (screens/options.h keeps them from then on).
#pragma once

// Reads the settings file into PlayerSettings, reports each bad line on
// standard error, and sets the window's scale and full screen. Called after
// SDL starts, before the window opens.
void LoadSettings();
