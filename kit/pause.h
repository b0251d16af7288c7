// The pause: Escape on any screen freezes it under a blurred, lightened
// overlay with "Resume game" and "Exit" and two bars with the date, the time
// and the web address. Escape again, or "Resume game", fades it out. While
// the overlay shows (PauseLevel above 0) no screen runs and the game clock
// stands. A song's pause also offers "Restart song" and "Song list". The
// pause owns its key: screens ask it whether this frame's press pauses.
#pragma once
#include <cstdint>
#include <ctime>
#include <string>

inline constexpr const char* WebAddress = "www.zedov.example";  // on the pause bar and the credits

inline bool PauseWanted = false;  // toggled by Escape, cleared by "Resume game"
inline double PauseLevel = 0.0;   // 0 closed .. 100 fully faded in
inline bool EscapeTaken = false;  // a screen took this frame's Escape itself (TakePauseKey): no pause

// The local date and time read in this frame, for the top bar.
inline std::tm ClockBarTime{};

// What the player chose in the pause in this frame. "Song list" leaves the
// song for its difficulty select.
enum class PauseChoice : int { None, Resume, Exit, RestartSong, DifficultySelect };

// Whether this frame's Escape toggles the pause (no screen took it).
bool PausePressed();

// Whether a stamp of this frame's input (ClockTicks) lies at or after the
// press that pauses: what comes after it belongs to the pause.
bool PauseStartedAt(uint32_t stampMs);

// A screen takes this frame's Escape for itself (to cancel): true when
// Escape went down; the pause then stays as it was.
bool TakePauseKey();

// Called once per frame after the screen ran: the Escape toggle, the freeze,
// the overlay, its buttons and bars, and the level's step. With songMenu (a
// song is playing) the pause opens with the keyboard focus on "Resume game",
// and "Restart song" or "Song list" close it at once. Gives the choice the
// caller applies (never Resume, which the pause applies itself).
PauseChoice UpdatePause(bool songMenu = false);

// Draws the overlay for level t: nothing at 0, BlurImage at 100, else the blend.
void DrawPauseOverlay(double t);

// The level one frame later, rising toward 100 while wanted, falling toward 0 otherwise.
double NextPauseLevel(double t, bool wanted);

// The buttons sliding in with PauseLevel, 50 pixels apart: "Resume game",
// with songMenu "Restart song" and "Song list", and "Exit". The choice clicked.
PauseChoice PauseButtons(bool songMenu = false);

// The top bar with ClockBarTime's date and time, the bottom bar with the web address.
void DrawClockBars();

// A position that is `from` at level 0 and `to` at level 100, truncated, at level t.
int SlidePosition(int from, int to, double t);

// "Monday December 7th 2026".
std::string DateText(const std::tm& when);

// "11:05:09 PM": a 12-hour clock with minutes and seconds padded to two digits.
std::string ClockText(const std::tm& when);
