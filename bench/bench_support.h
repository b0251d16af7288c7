// Shared by the benchmarks: the shipped pictures on a headless 32-bit screen.
#pragma once
#include <filesystem>

#include "game/media.h"
#include "kit/images.h"
#include "test_support.h"

// Opens the screen and loads Media/ from the source tree, once per run.
inline void LoadMediaOnce() {
  static bool loaded = false;
  if (loaded) return;
  loaded = true;
  OpenTestScreen();
  std::filesystem::path previous = std::filesystem::current_path();
  std::filesystem::current_path(ZEDOV_SOURCE_DIR);
  LoadGameMedia();
  LoadKitMedia();
  std::filesystem::current_path(previous);
}
