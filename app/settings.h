// The player's settings: read from "zedov.conf" once at start-up and handed
// to the parts of the game they concern.
#pragma once
#include "charts/settings_file.h"

inline constexpr const char* SettingsPath = "zedov.conf";

// Reads the settings file, reports each bad line on standard error, and
// applies the result: the audio offset, the joystick buttons and the window.
void LoadSettings();

// Hands a set of settings to the game and the kit.
void ApplySettings(const Settings& settings);
