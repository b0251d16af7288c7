// Shared seams of the tests: the headless screen, pixels and images.
#include "test_support.h"

#include <cstdlib>

#include "kit/images.h"
#include "kit/window.h"
#include "kit/input.h"

void OpenTestScreen() {
  setenv("SDL_VIDEODRIVER", "dummy", 0);
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  if (SDL_WasInit(SDL_INIT_VIDEO) == 0) SDL_Init(SDL_INIT_VIDEO | SDL_INIT_TIMER);
  SDL_Surface* screen = SDL_GetVideoSurface();
  // A test that reopened the window (scaled, say) leaves the plain screen to the next.
  if (screen == nullptr || screen->w != 640 || screen->h != 480 || screen->format->BitsPerPixel != 32)
    SDL_SetVideoMode(640, 480, 32, SDL_SWSURFACE);
  ScreenSurface = WindowSurface = SDL_GetVideoSurface();
  FrameScale = 1;
  FrameLeft = FrameTop = 0;
}

void ResetInput(int mouseX, int mouseY) {
  ClearInput();
  MouseX = mouseX;
  MouseY = mouseY;
}

void FillScreen(Uint8 r, Uint8 g, Uint8 b) {
  SDL_FillRect(ScreenSurface, nullptr, SDL_MapRGB(ScreenSurface->format, r, g, b));
}

Uint32 ScreenPixel(int x, int y) {
  SDL_Surface* s = ScreenSurface;
  SDL_LockSurface(s);
  Uint32 raw = *reinterpret_cast<Uint32*>(static_cast<Uint8*>(s->pixels) + y * s->pitch + x * 4);
  SDL_UnlockSurface(s);
  Uint8 r, g, b;
  SDL_GetRGB(raw, s->format, &r, &g, &b);
  return (Uint32(r) << 16) | (Uint32(g) << 8) | b;
}

SDL_Surface* MakeImage(int w, int h, Uint8 r, Uint8 g, Uint8 b, Uint8 a) {
  SDL_Surface* image = SDL_CreateRGBSurface(SDL_SWSURFACE | SDL_SRCALPHA, w, h, 32, 0x00FF0000,
                                            0x0000FF00, 0x000000FF, 0xFF000000);
  SDL_FillRect(image, nullptr, SDL_MapRGBA(image->format, r, g, b, a));
  return image;
}

void SetImagePixel(SDL_Surface* image, int x, int y, Uint8 r, Uint8 g, Uint8 b, Uint8 a) {
  SDL_Rect one = {static_cast<Sint16>(x), static_cast<Sint16>(y), 1, 1};
  SDL_FillRect(image, &one, SDL_MapRGBA(image->format, r, g, b, a));
}
