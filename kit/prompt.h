// The pause overlay's exit prompt ("Resume game", "Exit") and its clock bars.
#pragma once
#include <ctime>
#include <string>

inline constexpr const char* WebAddress = "www.zedov.example";  // on the pause bar and the credits

// The local date and time that DrawFrameChrome read in this frame, for the top bar.
inline std::tm ClockBarTime{};

// Draws the two buttons sliding with ExitPromptLevel; "Exit" sets QuitRequested.
void DrawExitPrompt();

// Draws the top bar with ClockBarTime's date and time and the bottom bar with the web address.
void DrawClockBars();

// A position that is `from` at level 0 and `to` at level 100, truncated, at level t.
int SlidePosition(int from, int to, double t);

// "Monday December 7th 2026".
std::string DateText(const std::tm& when);

// "11:05:09 PM": a 12-hour clock with minutes and seconds padded to two digits.
std::string ClockText(const std::tm& when);
