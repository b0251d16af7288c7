// Reading and applying the player's settings.
#include "app/settings.h"

#include <SDL.h>

#include <cstdio>
#include <string>
#include <vector>

#include "game/play_state.h"
#include "kit/input.h"
#include "kit/window.h"

void LoadSettings() {
  std::vector<std::string> problems;
  Settings settings = ReadSettingsFile(SettingsPath, problems);
  for (const std::string& problem : problems) std::fprintf(stderr, "Zedov: %s: %s\n", SettingsPath, problem.c_str());
  ApplySettings(settings);
}

void ApplySettings(const Settings& settings) {
  AudioOffsetMs = settings.audioOffsetMs;
  const int buttons[PadButtonCount] = {settings.padLeft, settings.padDown, settings.padUp, settings.padRight,
                                       settings.padPause, settings.padSelect};
  for (int i = 0; i < PadButtonCount; ++i) PadButtons[i].button = buttons[i];
  WindowScale = settings.windowScale;
  FullScreenWanted = settings.fullScreen != 0;
}
