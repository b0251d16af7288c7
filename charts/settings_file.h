// The player's settings file, "zedov.conf" beside Music/: "key = value" lines,
// "#" starts a comment, blank lines are allowed. Read once at start-up; the
// options screen writes it back (charts/settings_write.h). A missing file
// gives the defaults.
#pragma once
#include <string>
#include <string_view>
#include <utility>
#include <vector>

inline constexpr const char* SettingsPath = "zedov.conf";

struct Settings {
  int audioOffsetMs = 0;   // the music is heard this long after it starts: notes come as late
  int visualOffsetMs = 0;  // the arrows are drawn this much later; the judgement stays
  double scrollSpeed = 1.0;  // 1.00 to 4.00 in steps of 0.25: how many times faster the arrows rise
  std::string keyLeft = "left";  // SDL's names of the keyboard keys that play the columns
  std::string keyDown = "down";
  std::string keyUp = "up";
  std::string keyRight = "right";
  int padLeft = 0;        // joystick buttons standing for the arrows; -1 is none
  int padDown = 1;
  int padUp = 2;
  int padRight = 3;
  int padPause = -1;   // a joystick button standing for Escape
  int padSelect = -1;  // a joystick button standing for Enter in the menus
  int musicVolume = 100;  // percent
  int windowScale = 1;  // every game pixel a square of this many window pixels
  int fullScreen = 0;   // 1: the desktop's resolution at the largest whole scale that fits
  bool arrowColoursByBeat = false;  // "arrow_colours = beat": notes coloured by their place in the beat, not their column
  int audioBuffer = 1024;  // samples the sound card is handed at a time; used from the next start
  std::string songOrder = "name";  // the song list's order: name, artist, tempo or difficulty

  bool operator==(const Settings&) const = default;
};

// The columns' keys and pad buttons, left, down, up, right.
inline constexpr std::string Settings::*ColumnKeyNames[4] = {&Settings::keyLeft, &Settings::keyDown, &Settings::keyUp,
                                                           &Settings::keyRight};
inline constexpr int Settings::*ColumnPads[4] = {&Settings::padLeft, &Settings::padDown, &Settings::padUp,
                                               &Settings::padRight};

// The file's keys for the columns' keyboard keys, left, down, up, right.
inline constexpr std::string_view ColumnKeyNameKeys[4] = {"key_left", "key_down", "key_up", "key_right"};

inline constexpr int MostSettingsProblems = 10;  // reported lines; the rest are counted
inline constexpr int LongestOffsetMs = 1000;     // both offsets lie from -1000 to +1000 ms
inline constexpr int LoudestMusic = 100;         // the music volume runs from 0 to 100 percent
inline constexpr double SlowestScroll = 1.0;
inline constexpr double FastestScroll = 4.0;
inline constexpr double ScrollStep = 0.25;
inline constexpr int AudioBufferSizes[4] = {256, 512, 1024, 2048};

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

// Every key with its value as the file spells it, in the order new keys are
// appended to a file: ("audio_offset_ms", "0"), ("scroll_speed", "1.00"), ...
std::vector<std::pair<std::string, std::string>> SettingsValues(const Settings& settings);

// The key named on a line of the file ("audio_offset_ms = 5  # x" names
// "audio_offset_ms"), whether known or not; empty for a line without "=".
std::string_view LineKey(std::string_view line);
