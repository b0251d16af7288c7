// Shared by the tests of whole screens and frames: real songs made at run
// time, the audio device under the dummy driver, snapshots of a folder to
// prove nothing was lost, and the real frame driven by pointer and key events.
#pragma once
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <string>

#include "screens/screen_state.h"
#include "test_files.h"

// Makes an MP3 of a sine tone with sox and lame; false when they are missing.
bool MakeToneMp3(const std::filesystem::path& path, double seconds);

// Opens the mixer as the game does (44.1 kHz stereo, 1024-sample chunks)
// unless it is open already, and closes it again only if it opened it.
struct OpenMixer {
  OpenMixer();
  ~OpenMixer();
  bool open = false;
  bool mine = false;
};

// Every regular file below a folder with its bytes, by relative path.
using FolderContents = std::map<std::string, std::string>;
FolderContents ReadFolder(const std::filesystem::path& folder);

// Whether permission bits fail to stop this process (it runs as root).
bool PermissionsAreIgnored();

// How far the process's resident memory rose above its level before the work,
// in kB. The kernel's high-water mark is reset first where it allows that.
long PeakGrowthKb(const std::function<void()>& work);

// One frame of the real main loop, paced like it (at least 16 ms).
void PacedFrame();

// Puts the pointer at (x, y) through SDL, so the next frame's UpdateInput reads it.
void MovePointer(int x, int y);

// A whole click of the left button at (x, y): pointer there, down, up; three frames.
void ClickAt(int x, int y);

// Queues a key going down or up, as the keyboard would.
void QueueKey(int sym, bool down);

// Loads the shipped pictures from Media/ (below the working directory) as
// the game does at start-up; afterwards frees them and puts back whatever
// the other tests had installed, sprite tables included.
struct RealMedia {
  RealMedia();
  ~RealMedia();
  static constexpr int GameImageCount = 8;  // every sheet LoadGameMedia loads
  SDL_Surface* kit[8];
  SDL_Surface* game[GameImageCount];
  SDL_Rect glyphs[95], panels[2][9], arrows[4], cursor[16], arrowCells[16], ratingCells[4], holdCells[3];
};

// Driving the screens through the dispatcher alone, with the input set by hand.
// The first frame of a screen: it does its entry work (a scan, a file read).
void EnterScreen(ScreenId screen);
// One more frame of the current screen with nothing pressed.
void StayInScreen();
// One frame of the current screen in which the left button goes down at (x, y).
void ClickInScreen(int x, int y);
// Opens the song select, scrolls to the song and clicks it; true when it became
// the SelectedSong and the difficulty select is next.
bool ChooseSong(const std::string& name);

// Puts the game as it opens: the title, no music, notes, popups, input, pause
// or quit, the song list at its top, the game clock's last step now.
void ResetGame();

// A scratch folder and the test screen, the play's counters cleared before and after.
struct ScratchScreens : testing::Test {
  ScratchFolder scratch;
  void SetUp() override;
  void TearDown() override;
};
