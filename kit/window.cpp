// Opening the window at its scale, magnifying each frame, and mapping the pointer back.
#include "kit/window.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

// The window at scale 1, exactly as the game has always opened it: the
// screen's own depth, but true colour for the pause overlay's pixel work.
SDL_Surface* OpenPlainWindow() {
  SDL_Surface* window = SDL_SetVideoMode(WindowWidth, WindowHeight, 0, SDL_DOUBLEBUF);
  if (window != nullptr && window->format->BitsPerPixel == 8)
    window = SDL_SetVideoMode(WindowWidth, WindowHeight, 32, SDL_DOUBLEBUF);
  return window;
}

// A frame of the game's own in the window's 32-bit format.
SDL_Surface* MakeFrameSurface(const SDL_PixelFormat* f) {
  return SDL_CreateRGBSurface(SDL_SWSURFACE, WindowWidth, WindowHeight, 32, f->Rmask, f->Gmask, f->Bmask, 0);
}

bool OpenScaled(int scale, bool fullScreen, int desktopW, int desktopH) {
  int w = fullScreen ? desktopW : WindowWidth * scale;
  int h = fullScreen ? desktopH : WindowHeight * scale;
  SDL_Surface* window = SDL_SetVideoMode(w, h, 32, SDL_SWSURFACE | (fullScreen ? SDL_FULLSCREEN : 0));
  if (window == nullptr || window->format->BitsPerPixel != 32 || window->w < WindowWidth * scale ||
      window->h < WindowHeight * scale) {
    std::fprintf(stderr, "Zedov: cannot open a %s%d x %d window at scale %d (%s); trying smaller\n",
                 fullScreen ? "full-screen " : "", w, h, scale, SDL_GetError());
    return false;
  }
  SDL_Surface* frame = MakeFrameSurface(window->format);
  if (frame == nullptr) return false;
  SDL_FillRect(window, nullptr, 0);
  if (ScreenSurface != WindowSurface) SDL_FreeSurface(ScreenSurface);  // the frame of a window opened before
  WindowSurface = window;
  ScreenSurface = frame;
  FrameScale = scale;
  FrameLeft = (window->w - WindowWidth * scale) / 2;
  FrameTop = (window->h - WindowHeight * scale) / 2;
  return true;
}

// The desktop's size, read before the first mode is set (SDL reports the
// window's own size after that); 0 when unknown.
int DesktopWidth = 0, DesktopHeight = 0;
bool DesktopKnown = false;

void ReadDesktop() {
  if (DesktopKnown) return;
  DesktopKnown = true;
  const SDL_VideoInfo* info = SDL_GetVideoInfo();
  if (info != nullptr && SDL_GetVideoSurface() == nullptr && info->current_w > 0 && info->current_h > 0)
    DesktopWidth = info->current_w, DesktopHeight = info->current_h;
}

// The scale to open: the one asked for, or the largest that fits the desktop.
int FittingScale(int asked) {
  int scale = std::clamp(asked, 1, MostWindowScale);
  int largest = LargestWindowScale();
  if (scale <= largest) return scale;
  std::fprintf(stderr, "Zedov: window_scale %d makes a %d x %d window, larger than the %d x %d desktop; using %d\n",
               scale, WindowWidth * scale, WindowHeight * scale, DesktopWidth, DesktopHeight, largest);
  return largest;
}

}  // namespace

int LargestWindowScale() {
  ReadDesktop();
  if (DesktopWidth == 0) return MostWindowScale;
  return std::min(MostWindowScale, LargestScale(DesktopWidth, DesktopHeight));
}

int LargestScale(int w, int h) { return std::max(1, std::min(w / WindowWidth, h / WindowHeight)); }

bool OpenWindow(int scale, bool fullScreen) {
  ReadDesktop();
  if (fullScreen) {
    int w = DesktopWidth, h = DesktopHeight;
    if (w >= WindowWidth && h >= WindowHeight && OpenScaled(LargestScale(w, h), true, w, h)) return true;
  }
  for (int tried = FittingScale(scale); tried > 1; --tried)
    if (OpenScaled(tried, false, 0, 0)) return true;
  if (ScreenSurface != WindowSurface) SDL_FreeSurface(ScreenSurface);
  WindowSurface = ScreenSurface = OpenPlainWindow();
  FrameScale = 1;
  FrameLeft = FrameTop = 0;
  return ScreenSurface != nullptr;
}

void MagnifyFrame(SDL_Surface* frame, SDL_Surface* window, int scale, int left, int top) {
  if (SDL_MUSTLOCK(window) && SDL_LockSurface(window) != 0) return;
  const int wide = WindowWidth * scale;
  for (int y = 0; y < WindowHeight; ++y) {
    const Uint32* in = reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(frame->pixels) + frame->pitch * y);
    Uint8* firstRow = static_cast<Uint8*>(window->pixels) + window->pitch * (top + scale * y) + 4 * left;
    Uint32* out = reinterpret_cast<Uint32*>(firstRow);
    for (int x = 0; x < WindowWidth; ++x)
      for (int k = 0; k < scale; ++k) *out++ = in[x];
    // The other rows of the block are copies of the first.
    for (int k = 1; k < scale; ++k) std::memcpy(firstRow + window->pitch * k, firstRow, 4 * static_cast<size_t>(wide));
  }
  if (SDL_MUSTLOCK(window)) SDL_UnlockSurface(window);
}

void PresentFrame() {
  if (WindowSurface == nullptr || WindowSurface == ScreenSurface) {
    SDL_Flip(ScreenSurface);  // the plain window: the frame is already on it
    return;
  }
  MagnifyFrame(ScreenSurface, WindowSurface, FrameScale, FrameLeft, FrameTop);
  SDL_Flip(WindowSurface);
}

void WindowToGame(int& x, int& y) {
  x = (x - FrameLeft) / FrameScale;
  y = (y - FrameTop) / FrameScale;
  x = std::clamp(x, 0, WindowWidth);
  y = std::clamp(y, 0, WindowHeight);
}
