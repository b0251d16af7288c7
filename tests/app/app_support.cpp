// Shared by the tests of whole screens and frames: clicks and keys, real songs and media, memory readings.
#include "app/app_support.h"

#include <SDL_mixer.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "app/main_loop.h"
#include "charts/library.h"
#include "game/media.h"
#include "game/play_state.h"
#include "kit/clock.h"
#include "kit/images.h"
#include "kit/input.h"
#include "kit/pause.h"
#include "kit/pause_pixels.h"
#include "screens/screen_state.h"
#include "screens/song_select.h"
#include "test_support.h"

bool MakeToneMp3(const std::filesystem::path& path, double seconds) {
  if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path());
  std::string wav = path.string() + ".wav";
  std::string make = "sox -q -n -r 44100 -c 2 '" + wav + "' synth " + std::to_string(seconds) +
                     " sine 440 vol 0.3 2>/dev/null && lame --quiet '" + wav + "' '" + path.string() +
                     "' 2>/dev/null";
  bool made = std::system(make.c_str()) == 0 && std::filesystem::is_regular_file(path);
  std::error_code ignored;
  std::filesystem::remove(wav, ignored);
  return made;
}

OpenMixer::OpenMixer() {
  int frequency = 0, channels = 0;
  Uint16 format = 0;
  if (Mix_QuerySpec(&frequency, &format, &channels) != 0) {
    open = true;
    return;
  }
  if (SDL_WasInit(SDL_INIT_AUDIO) == 0) SDL_InitSubSystem(SDL_INIT_AUDIO);
  open = mine = Mix_OpenAudio(44100, MIX_DEFAULT_FORMAT, 2, 1024) == 0;
}

OpenMixer::~OpenMixer() {
  if (mine) Mix_CloseAudio();
}

FolderContents ReadFolder(const std::filesystem::path& folder) {
  FolderContents contents;
  std::error_code error;
  for (std::filesystem::recursive_directory_iterator it(folder, error), end; !error && it != end;
       it.increment(error)) {
    if (!it->is_regular_file()) continue;
    std::ifstream in(it->path(), std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    contents[std::filesystem::relative(it->path(), folder).string()] = bytes.str();
  }
  return contents;
}

namespace {

// A line of /proc/self/status in kB ("VmHWM", "VmRSS"); -1 when missing.
long StatusKb(const std::string& key) {
  std::ifstream in("/proc/self/status");
  for (std::string line; std::getline(in, line);)
    if (line.rfind(key + ":", 0) == 0) return std::stol(line.substr(key.size() + 1));
  return -1;
}

}  // namespace

long PeakGrowthKb(const std::function<void()>& work) {
  {
    std::ofstream reset("/proc/self/clear_refs");
    reset << "5";
  }
  long before = StatusKb("VmRSS");
  long peakBefore = StatusKb("VmHWM");
  work();
  long peak = StatusKb("VmHWM");
  // Without the reset the old high-water mark may hide the work's own peak:
  // then only a rise above it can be seen.
  return peakBefore > before ? peak - peakBefore : peak - before;
}

bool PermissionsAreIgnored() { return geteuid() == 0; }

void PacedFrame() {
  uint32_t start = SDL_GetTicks();
  RunFrame();
  uint32_t delay = FrameDelayMs(SDL_GetTicks() - start);
  if (delay > 0) SDL_Delay(delay);
}

void MovePointer(int x, int y) {
  // Without a window manager cursor, SDL takes the warp as the pointer's own motion.
  SDL_WarpMouse(static_cast<Uint16>(x), static_cast<Uint16>(y));
}

namespace {

void QueueButton(Uint8 type, int x, int y) {
  SDL_Event event{};
  event.type = type;
  event.button.type = type;
  event.button.button = SDL_BUTTON_LEFT;
  event.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
  event.button.x = static_cast<Uint16>(x);
  event.button.y = static_cast<Uint16>(y);
  SDL_PushEvent(&event);
}

}  // namespace

void ClickAt(int x, int y) {
  MovePointer(x, y);
  PacedFrame();
  QueueButton(SDL_MOUSEBUTTONDOWN, x, y);
  PacedFrame();
  QueueButton(SDL_MOUSEBUTTONUP, x, y);
  PacedFrame();
}

void QueueKey(int sym, bool down) {
  SDL_Event event{};
  event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
  event.key.type = event.type;
  event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
  event.key.keysym.sym = static_cast<SDLKey>(sym);
  SDL_PushEvent(&event);
}

void EnterScreen(ScreenId screen) {
  ResetInput();
  Screen = screen;
  ScreenChanged = true;
  RunDispatcher();
}

void StayInScreen() {
  ResetInput();
  RunDispatcher();
}

void ClickInScreen(int x, int y) {
  ResetInput(x, y);
  MouseButtons[SDL_BUTTON_LEFT] = KeyState::Pressed;
  RunDispatcher();
  MouseButtons[SDL_BUTTON_LEFT] = KeyState::Up;
}

bool ChooseSong(const std::string& name) {
  EnterScreen(ScreenId::SongSelect);
  int k = 0;
  bool found = false;
  for (const SongEntry& entry : SongList) {
    if (entry.name == name) {
      found = true;
      break;
    }
    if (IsSongName(entry.name)) ++k;
  }
  if (!found) return false;
  SongListScroll = k;
  StayInScreen();
  ClickInScreen(320, 95);
  return Screen == ScreenId::DifficultySelect && SelectedSong == name;
}

namespace {

SDL_Surface** KitImages[8] = {&FontImage, &ButtonImage, &ArrowsImage, &BorderImage,
                              &BarImage,  &CursorImage, &SnapshotImage, &BlurImage};
SDL_Surface** GameImages[RealMedia::GameImageCount] = {&GameBackground, &GameTitle, &ArrowSheet,  &RatingSheet,
                                            &HoldSheet,      &RollSheet, &MineSheet,   &BeatArrowSheet};

template <typename T, size_t N>
void CopyTable(const T (&from)[N], T (&to)[N]) {
  std::copy(std::begin(from), std::end(from), std::begin(to));
}

}  // namespace

RealMedia::RealMedia() {
  for (int i = 0; i < 8; ++i) kit[i] = *KitImages[i];
  for (int i = 0; i < GameImageCount; ++i) game[i] = *GameImages[i];
  CopyTable(GlyphRects, glyphs);
  for (int s = 0; s < 2; ++s) CopyTable(PanelCells[s], panels[s]);
  CopyTable(ArrowRects, arrows);
  CopyTable(CursorFrames, cursor);
  CopyTable(ArrowCells, arrowCells);
  CopyTable(RatingCells, ratingCells);
  CopyTable(HoldCells, holdCells);
  LoadGameMedia();
  LoadKitMedia();
}

RealMedia::~RealMedia() {
  for (int i = 0; i < 8; ++i) {
    if (*KitImages[i] != kit[i]) SDL_FreeSurface(*KitImages[i]);
    *KitImages[i] = kit[i];
  }
  for (int i = 0; i < GameImageCount; ++i) {
    if (*GameImages[i] != game[i]) SDL_FreeSurface(*GameImages[i]);
    *GameImages[i] = game[i];
  }
  CopyTable(glyphs, GlyphRects);
  for (int s = 0; s < 2; ++s) CopyTable(panels[s], PanelCells[s]);
  CopyTable(arrows, ArrowRects);
  CopyTable(cursor, CursorFrames);
  CopyTable(arrowCells, ArrowCells);
  CopyTable(ratingCells, RatingCells);
  CopyTable(holdCells, HoldCells);
  PreparePlaySheets();
}

void ResetGame() {
  FreeMusic(CurrentMusic);
  CurrentMusic = nullptr;
  NoteList.clear();
  PopupList.clear();
  ResetInput();
  Screen = ScreenId::Title;
  ScreenChanged = QuitRequested = PauseWanted = false;
  PauseLevel = 0.0;
  SongListScroll = 0;
  LastTicks = SDL_GetTicks();
}

void ScratchScreens::SetUp() {
  OpenTestScreen();
  ResetPlayState();
}

void ScratchScreens::TearDown() {
  ResetPlayState();
  Screen = ScreenId::Title;
}
