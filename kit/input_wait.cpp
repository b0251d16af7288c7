// Waiting for input between frames. Kept apart from the input tables: it
// reaches below SDL to the window's X connection, whose headers define many
// short names of their own.
#include <SDL.h>
#include <SDL_syswm.h>
#include <poll.h>

#include <algorithm>

#include "kit/input.h"

namespace {

// The window's X display, once known; null under other video drivers.
Display* WindowDisplay() {
  static Display* display = nullptr;
  static bool asked = false;
  if (!asked && SDL_GetVideoSurface() != nullptr) {
    asked = true;
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (SDL_GetWMInfo(&info) == 1 && info.subsystem == SDL_SYSWM_X11) display = info.info.x11.display;
  }
  return display;
}

}  // namespace

void WaitForInput(uint32_t mostMs) {
  Display* display = WindowDisplay();
  // SDL reads joysticks only when asked, so with a mat or pad open the wait
  // ends every millisecond.
  bool padOpen = SDL_NumJoysticks() > 0 && SDL_JoystickOpened(0);
  if (display == nullptr) {
    SDL_Delay(1);
    return;
  }
  // Events already read off the connection (by the flip's round trip) are taken at once.
  if (QLength(display) > 0) return;
  pollfd connection{ConnectionNumber(display), POLLIN, 0};
  poll(&connection, 1, static_cast<int>(padOpen ? std::min<uint32_t>(mostMs, 1) : mostMs));
}
