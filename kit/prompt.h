// The pause overlay's exit prompt ("Resume game", "Exit") and its clock bars.
#pragma once

inline constexpr const char* WebAddress = "www.zedov.example";  // on the pause bar and the credits

// Draws the two buttons sliding with ExitPromptLevel; "Exit" sets QuitRequested.
void DrawExitPrompt();

// Draws the top bar with the local date and time and the bottom bar with the web address.
void DrawClockBars();
