// The settings writer: the player's file keeps every byte but the values that changed.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <functional>
#include <string>

#include "charts/settings_write.h"
#include "test_files.h"

namespace {

struct Edit {
  const char* what;
  std::string before;
  std::function<void(Settings&)> change;
  std::string after;
};

TEST(SettingsWrite, OnlyTheChangedValuesMoveAndNewKeysGoAtTheEnd) {
  const Edit edits[] = {
      {"odd spacing, a comment, CRLF and an unknown key kept", "# mine\n\n  audio_offset_ms=5   # laptop\r\nfoo = bar\n",
       [](Settings& s) { s.audioOffsetMs = 40; }, "# mine\n\n  audio_offset_ms=40   # laptop\r\nfoo = bar\n"},
      {"nothing changed: not a byte", "pad_up =\t2  \nwindow_scale = 1\n#x", [](Settings&) {}, "pad_up =\t2  \nwindow_scale = 1\n#x"},
      {"appended after a last line without its line break", "# c", [](Settings& s) { s.scrollSpeed = 2.0; },
       "# c\nscroll_speed = 2.00\n"},
      {"appended with the file's CRLF", "a = b\r\n", [](Settings& s) { s.musicVolume = 55; },
       "a = b\r\nmusic_volume = 55\r\n"},
      {"the last of two lines, which the reader takes", "pad_up = 7\npad_up = 9 # x\n", [](Settings& s) { s.padUp = 4; },
       "pad_up = 7\npad_up = 4 # x\n"},
      {"an empty value filled", "pad_down =# none\n", [](Settings& s) { s.padDown = 5; }, "pad_down = 5 # none\n"},
      {"a byte order mark kept", "\xEF\xBB\xBFkey_left = left shift\n", [](Settings& s) { s.keyLeft = "a"; },
       "\xEF\xBB\xBFkey_left = a\n"},
      {"a line the reader refuses keeps its bytes", "fullscreen = " + std::string(300, ' ') + "0\n",
       [](Settings& s) { s.fullScreen = 1; }, "fullscreen = " + std::string(300, ' ') + "0\nfullscreen = 1\n"},
      {"back to the default the file holds: unchanged", "visual_offset_ms = 0\n", [](Settings& s) { s.visualOffsetMs = 0; },
       "visual_offset_ms = 0\n"},
  };
  for (const Edit& edit : edits) {
    std::vector<std::string> problems;
    Settings s = ParseSettings(edit.before, problems);
    edit.change(s);
    std::string after = SettingsText(edit.before, s);
    EXPECT_EQ(after, edit.after) << edit.what;
    EXPECT_TRUE(ParseSettings(after, problems) == s) << edit.what;
  }
}

TEST(SettingsWrite, SavesOnlyWhatChangedAndSaysWhyItCannot) {
  ScratchFolder scratch;
  Settings s;
  EXPECT_EQ(SaveSettings("zedov.conf", s), "");
  EXPECT_FALSE(std::filesystem::exists("zedov.conf"));  // no change, no file: the game as without options
  s.audioOffsetMs = -30;
  EXPECT_EQ(SaveSettings("zedov.conf", s), "");
  EXPECT_EQ(ReadTextFile("zedov.conf"), "audio_offset_ms = -30\n");
  chmod("zedov.conf", 0444);
  s.audioOffsetMs = 12;
  EXPECT_NE(SaveSettings("zedov.conf", s), "");
  EXPECT_EQ(ReadTextFile("zedov.conf"), "audio_offset_ms = -30\n");
  EXPECT_NE(SaveSettings("no/such/folder/zedov.conf", s), "");
  std::filesystem::create_directory("folder.conf");
  EXPECT_NE(SaveSettings("folder.conf", s), "");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator("."), {}), 2);  // no temporary file left
}

// A settings file linked from a dotfiles folder stays a link and its target
// takes the change; the start-up sweep clears stale temporary files beside
// both, following no link and touching nothing else.
TEST(SettingsWrite, ThroughALinkAndSweptBesideIt) {
  namespace fs = std::filesystem;
  ScratchFolder scratch;
  WriteTextFile("dots/zedov.conf", "# mine\naudio_offset_ms = 5\n");
  fs::create_symlink("dots/zedov.conf", "zedov.conf");
  Settings s;
  s.audioOffsetMs = 7;
  EXPECT_EQ(SaveSettings("zedov.conf", s), "");
  EXPECT_TRUE(fs::is_symlink("zedov.conf"));
  EXPECT_EQ(ReadTextFile("dots/zedov.conf"), "# mine\naudio_offset_ms = 7\n");
  for (const char* file : {".zedov-tmp-a1", "dots/.zedov-tmp-b2", "dots/keep", "Music/.zedov-tmp-c3"}) WriteTextFile(file, "x");
  fs::create_symlink("dots/keep", ".zedov-tmp-link");
  RemoveStaleSettingsTempFiles("zedov.conf");
  for (const char* file : {".zedov-tmp-a1", "dots/.zedov-tmp-b2"}) EXPECT_FALSE(fs::exists(file)) << file;
  for (const char* file : {"dots/keep", "Music/.zedov-tmp-c3", ".zedov-tmp-link"}) EXPECT_TRUE(fs::exists(file)) << file;
}

}  // namespace
