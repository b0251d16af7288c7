// Reading the player's settings at start-up.
#include "app/settings.h"

#include <cstdio>
#include <string>
#include <vector>

#include "charts/settings_file.h"
#include "kit/input.h"
#include "screens/options.h"

void LoadSettings() {
  std::vector<std::string> problems;
  PlayerSettings = ReadSettingsFile(SettingsPath, problems);
  for (const std::string& problem : problems) std::fprintf(stderr, "Zedov: %s: %s\n", SettingsPath, problem.c_str());
  for (int column = 0; column < 4; ++column) {
    const std::string& name = PlayerSettings.*ColumnKeyNames[column];
    if (KeyNamed(name) == 0)
      std::fprintf(stderr, "Zedov: %s: %s: no key is named \"%s\"; the lane keeps its arrow key\n", SettingsPath,
                   std::string(ColumnKeyNameKeys[column]).c_str(), name.c_str());
  }
}
