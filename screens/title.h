// The title screen ("Play", "Credits") and the credits screen.
#pragma once

inline constexpr const char* WebAddress = "www.zedov.example";  // shown on the credits and the pause bar

// Called every frame while Screen is Title.
void RunTitleScreen();

// Called every frame while Screen is Credits.
void RunCreditsScreen();
