// The settings file: keys, ranges, comments, and garbage that never stops the game.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "charts/settings_file.h"
#include "test_files.h"

namespace {

TEST(SettingsFile, KeysCommentsBlanksAndDefaults) {
  std::vector<std::string> problems;
  Settings s = ParseSettings("# my machine\n\n  audio_offset_ms = +150  # the sound server\r\npad_pause=9\npad_up = -1\n",
                             problems);
  EXPECT_TRUE(problems.empty()) << problems.front();
  EXPECT_EQ(s.audioOffsetMs, 150);
  EXPECT_EQ(s.padPause, 9);
  EXPECT_EQ(s.padUp, -1);
  EXPECT_EQ(s.padLeft, 0);  // untouched keys keep their defaults
  EXPECT_EQ(s.padDown, 1);
  EXPECT_EQ(s.padRight, 3);
  EXPECT_EQ(ParseSettings("\xEF\xBB\xBFpad_pause = 4\n", problems).padPause, 4);  // a byte order mark first
  // A comment of any length; the new keys' own kinds of value.
  s = ParseSettings("pad_up = 5 #" + std::string(5000, '-') + "\nscroll_speed = 2.5\nkey_left = left shift\n", problems);
  EXPECT_EQ(s.padUp, 5);
  EXPECT_EQ(s.scrollSpeed, 2.5);
  EXPECT_EQ(s.keyLeft, "left shift");
  EXPECT_FALSE(s.arrowColoursByBeat);
  EXPECT_TRUE(ParseSettings("arrow_colours = beat\n", problems).arrowColoursByBeat);
  EXPECT_FALSE(ParseSettings("arrow_colours = beat\narrow_colours = lane\n", problems).arrowColoursByBeat);
  EXPECT_EQ(ParseSettings("audio_buffer = 512\n", problems).audioBuffer, 512);
  EXPECT_TRUE(problems.empty());
  EXPECT_EQ(ParseSettings("audio_buffer = 1000\n", problems).audioBuffer, 1024) << "not a size the card is handed";
  ASSERT_EQ(problems.size(), 1u);
  EXPECT_EQ(problems[0], "line 1: audio_buffer must be 256, 512, 1024 or 2048");
  problems.clear();
  Settings none = ReadSettingsFile("no such file", problems);
  EXPECT_EQ(none.audioOffsetMs, 0);
  EXPECT_EQ(none.padPause, -1);
  EXPECT_TRUE(problems.empty());
}

TEST(SettingsFile, EachBadLineIsNamedAndIgnored) {
  std::vector<std::string> problems;
  Settings s = ParseSettings(
      "audio_offset_ms = 1001\naudio_offset_ms = 12ms\naudio_offset_ms = -1000\nvolume = 3\n"
      "pad_left 4\npad_left = 99999999999999999999999\npad_down = \naudio_offset_ms = 0x10\n"
      "scroll_speed = 1.3\nscroll_speed = nan\nkey_up = \n",
      problems);
  EXPECT_EQ(s.audioOffsetMs, -1000);  // the one good line
  EXPECT_EQ(s.padLeft, 0);
  EXPECT_EQ(s.padDown, 1);
  EXPECT_EQ(s.scrollSpeed, 1.0);
  EXPECT_EQ(s.keyUp, "up");
  ASSERT_EQ(problems.size(), 10u);
  EXPECT_EQ(problems[8], "line 10: scroll_speed must be a number from 1.00 to 4.00 in steps of 0.25");
  EXPECT_EQ(problems[0], "line 1: audio_offset_ms must be a whole number from -1000 to 1000");
  EXPECT_EQ(problems[1].substr(0, 8), "line 2: ");
  EXPECT_EQ(problems[2], "line 4: unknown key \"volume\"");
  EXPECT_EQ(problems[3], "line 5: no \"=\" between a key and its value");
  EXPECT_EQ(problems[4], "line 6: pad_left must be a whole number from -1 to 255");
  EXPECT_EQ(problems[6].substr(0, 8), "line 8: ");
  problems.clear();
  EXPECT_FALSE(ParseSettings("arrow_colours = Beat\n", problems).arrowColoursByBeat);
  EXPECT_EQ(problems, std::vector<std::string>{"line 1: arrow_colours must be lane or beat"});
}

TEST(SettingsFile, GarbageGivesTheDefaultsAndAShortReport) {
  ScratchFolder scratch;
  std::string garbage;
  for (int i = 0; i < 4000; ++i) garbage += static_cast<char>((i * 7919) % 256);
  garbage += "\n" + std::string(1 << 20, 'x') + "\naudio_offset_ms = 5\n";
  WriteTextFile("zedov.conf", garbage);
  std::vector<std::string> problems;
  Settings s = ReadSettingsFile("zedov.conf", problems);
  EXPECT_EQ(s.audioOffsetMs, 5);  // after the overlong line
  ASSERT_EQ(problems.size(), static_cast<size_t>(MostSettingsProblems) + 1);
  EXPECT_TRUE(problems.back().ends_with("more bad lines not shown")) << problems.back();
  for (const std::string& p : problems) {
    EXPECT_LT(p.size(), 120u) << p;
    for (char c : p) EXPECT_TRUE(c >= 32 && c <= 126) << p;
  }
}

}  // namespace
