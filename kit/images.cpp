// Loading images, the kit's sheets and their tables, and drawing them.
#include "kit/images.h"

#include <SDL_image.h>

#include "kit/pause_pixels.h"

SDL_Rect MakeRect(int x, int y, int w, int h) {
  SDL_Rect r;
  r.x = static_cast<Sint16>(x);
  r.y = static_cast<Sint16>(y);
  r.w = static_cast<Uint16>(w);
  r.h = static_cast<Uint16>(h);
  return r;
}

namespace {

// An image file in the screen's format by way of convert; null when either step fails.
SDL_Surface* LoadConverted(const std::string& path, SDL_Surface* (*convert)(SDL_Surface*)) {
  SDL_Surface* loaded = IMG_Load(path.c_str());
  if (loaded == nullptr) return nullptr;
  SDL_Surface* converted = convert(loaded);
  SDL_FreeSurface(loaded);
  return converted;
}

}  // namespace

SDL_Surface* LoadKeyedImage(const std::string& path) {
  SDL_Surface* converted = LoadConverted(path, SDL_DisplayFormat);
  // Run-length coding draws the same pixels, but the backdrop and the frame, blitted
  // whole every frame, cost a tenth of the per-pixel key test (2 ms of a frame).
  if (converted != nullptr)
    SDL_SetColorKey(converted, SDL_SRCCOLORKEY | SDL_RLEACCEL, SDL_MapRGB(converted->format, 0, 255, 255));
  return converted;
}

SDL_Surface* LoadAlphaImage(const std::string& path) { return LoadConverted(path, SDL_DisplayFormatAlpha); }

void LoadKitMedia() {
  MakePausePictures();
  FontImage = LoadAlphaImage("Media/Kelvane/Font.png");
  ButtonImage = LoadAlphaImage("Media/Kelvane/Button.png");
  ArrowsImage = LoadKeyedImage("Media/Kelvane/Arrows.png");
  BorderImage = LoadKeyedImage("Media/Kelvane/Border.png");
  BarImage = LoadKeyedImage("Media/Kelvane/TopBottomBorder.png");
  CursorImage = LoadAlphaImage("Media/Kelvane/Cursor.png");
  for (int i = 0; i < 95; ++i) GlyphRects[i] = MakeRect(15 * i, 0, 15, 21);
  for (int s = 0; s < 2; ++s)
    for (int c = 0; c < 9; ++c) PanelCells[s][c] = MakeRect(21 * c, 21 * s, 21, 21);
  for (int i = 0; i < 4; ++i) ArrowRects[i] = MakeRect(16 * i, 0, 16, 16);
  for (int i = 0; i < 16; ++i) CursorFrames[i] = MakeRect(96 * i, 0, 96, 96);
}

void DrawImage(SDL_Surface* image, const SDL_Rect* part, int x, int y) {
  if (image == nullptr || ScreenSurface == nullptr) return;
  if (OffWindow(x, y)) return;
  SDL_Rect at = MakeRect(x, y, 0, 0);
  // SDL_UpperBlit writes the clipped rectangle back into its arguments.
  SDL_Rect source;
  SDL_Rect* src = nullptr;
  if (part != nullptr) {
    source = *part;
    src = &source;
  }
  SDL_UpperBlit(image, src, ScreenSurface, &at);
}
