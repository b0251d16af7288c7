// The player's settings file, "zedov.conf" beside Music/: "key = value" lines,
// "#" starts a comment, blank lines are allowed. Read once at start-up and
// never written by the game. A missing file gives the defaults.
#pragma once
#include <string>
#include <string_view>
#include <vector>

struct Settings {
  int audioOffsetMs = 0;  // the music is heard this long after it starts: notes come as late
  int padLeft = 0;        // joystick buttons standing for the arrows; -1 is none
  int padDown = 1;
  int padUp = 2;
  int padRight = 3;
  int padPause = -1;   // a joystick button standing for Escape
  int padSelect = -1;  // a joystick button standing for Enter in the menus
  int windowScale = 1;  // every game pixel a square of this many window pixels
  int fullScreen = 0;   // 1: the desktop's resolution at the largest whole scale that fits
};

inline constexpr int MostSettingsProblems = 10;  // reported lines; the rest are counted

// The settings of a file's text, after a UTF-8 byte order mark if it starts
// with one. Each bad line (unknown key, missing "=",
// a value that is no whole number or out of its range, an overlong line)
// is ignored and adds one message naming its line number and why; past
// MostSettingsProblems one last message counts the rest.
Settings ParseSettings(std::string_view text, std::vector<std::string>& problems);

// The same for a file. A missing file gives the defaults; so does a file that
// cannot be read (a FIFO, a folder) or one larger than 16 MB, which is not
// read at all, with one message saying so.
Settings ReadSettingsFile(const std::string& path, std::vector<std::string>& problems);
