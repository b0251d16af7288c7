// The options screen: the audio and visual offsets, the scroll speed, the
// columns' keys and pad buttons, the music volume and the window, each changed
// at once and saved into zedov.conf (only the lines that changed).
#pragma once
#include <string>

#include "charts/settings_file.h"

inline Settings PlayerSettings;  // read at start-up, changed on the options screen

// Hands the settings to the game and the kit: offsets, scroll speed, keys,
// pad buttons, volume. The window is opened by its own call.
void UseSettings(const Settings& settings);

// Takes new settings from another screen (the calibration): used at once,
// and saved by the options screen as soon as it runs again.
void ChangeSettings(const Settings& settings);

// The same, and saved into zedov.conf at once: empty, or why it could not be written.
std::string ChangeAndSaveSettings(const Settings& settings);

// Binds a key (by SDL's name) to a column; a column that had it takes this
// column's old key, so that every key plays at most one column.
void BindColumnKey(Settings& settings, int column, const std::string& key);

// The same for a pad button; pause or select lose it.
void BindColumnPad(Settings& settings, int column, int button);

// Called every frame while Screen is Options.
void RunOptions();
