// Box-filtered scaling of a picture into a new surface.
#include "kit/image_scale.h"

#include <algorithm>
#include <cstdint>

namespace {

// The picture as 32-bit pixels of a known layout, to read without caring for its own.
SDL_Surface* AsRgb32(SDL_Surface* picture) {
  SDL_Surface* rgb = SDL_CreateRGBSurface(SDL_SWSURFACE, picture->w, picture->h, 32, 0xFF0000, 0xFF00, 0xFF, 0);
  if (rgb == nullptr) return nullptr;
  SDL_SetAlpha(picture, 0, 255);  // copy, do not blend: a picture with alpha is drawn over the panel as it is
  SDL_BlitSurface(picture, nullptr, rgb, nullptr);
  return rgb;
}

uint32_t Pixel(const SDL_Surface* s, int x, int y) {
  return static_cast<const uint32_t*>(s->pixels)[y * (s->pitch / 4) + x];
}

// The average of the source pixels [x0, x1) x [y0, y1).
uint32_t Average(const SDL_Surface* s, int x0, int x1, int y0, int y1) {
  uint64_t r = 0, g = 0, b = 0, n = 0;
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) {
      uint32_t p = Pixel(s, x, y);
      r += p >> 16 & 0xFF, g += p >> 8 & 0xFF, b += p & 0xFF, ++n;
    }
  return static_cast<uint32_t>(r / n << 16 | g / n << 8 | b / n);
}

}  // namespace

SDL_Surface* ScaledToFit(SDL_Surface* picture, int width, int height) {
  if (picture == nullptr || picture->w <= 0 || picture->h <= 0 || width <= 0 || height <= 0) return nullptr;
  double scale = std::min({1.0, static_cast<double>(width) / picture->w, static_cast<double>(height) / picture->h});
  int w = std::max(1, static_cast<int>(picture->w * scale)), h = std::max(1, static_cast<int>(picture->h * scale));
  SDL_Surface* source = AsRgb32(picture);
  SDL_Surface* scaled = SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 32, 0xFF0000, 0xFF00, 0xFF, 0);
  if (source == nullptr || scaled == nullptr) {
    SDL_FreeSurface(source), SDL_FreeSurface(scaled);
    return nullptr;
  }
  SDL_LockSurface(source), SDL_LockSurface(scaled);
  for (int y = 0; y < h; ++y) {
    int y0 = y * source->h / h, y1 = std::max(y0 + 1, (y + 1) * source->h / h);
    for (int x = 0; x < w; ++x) {
      int x0 = x * source->w / w, x1 = std::max(x0 + 1, (x + 1) * source->w / w);
      static_cast<uint32_t*>(scaled->pixels)[y * (scaled->pitch / 4) + x] = Average(source, x0, x1, y0, y1);
    }
  }
  SDL_UnlockSurface(source), SDL_UnlockSurface(scaled);
  SDL_FreeSurface(source);
  SDL_Surface* shown = SDL_GetVideoSurface() != nullptr ? SDL_DisplayFormat(scaled) : nullptr;
  if (shown == nullptr) return scaled;
  SDL_FreeSurface(scaled);
  return shown;
}
