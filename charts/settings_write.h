// Writing the settings file back. The file is the player's: a save changes
// only the values of the keys that changed, in place, and appends the keys
// the file lacks; comments, blank lines, unknown keys and the order stay
// byte for byte.
#pragma once
#include <string>
#include <string_view>

#include "charts/settings_file.h"

// The text with the settings put in. A key whose value the text already
// gives is left alone; otherwise the value on the key's last line is
// replaced (its spacing and comment kept), or, when the text has no line
// for the key, "key = value" is appended at the end.
std::string SettingsText(std::string_view text, const Settings& settings);

// Puts the settings into the file at path that way, replacing it atomically
// (through a symbolic link, its target, in the target's folder); an unchanged
// file is not written. Returns an empty text, or why the file
// could not be written ("Permission denied").
std::string SaveSettings(const std::string& path, const Settings& settings);

// Removes what settings saves cut short left behind, in the folder of the
// file and in that of the file its links lead to (see RemoveStaleTempFiles).
void RemoveStaleSettingsTempFiles(const std::string& path);
