// The pause overlay's pixel work: freeze, blur, lighten, blend.
#include "kit/pause_pixels.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr int RowBytes = WindowWidth * 3;

// Hardware and RLE surfaces only show their pixels while locked.
bool LockPixels(SDL_Surface* s) {
  if (s == nullptr || s->w < WindowWidth || s->h < WindowHeight) return false;
  if (SDL_MUSTLOCK(s) && SDL_LockSurface(s) != 0) return false;
  if (s->pixels != nullptr) return true;
  if (SDL_MUSTLOCK(s)) SDL_UnlockSurface(s);
  return false;
}

void UnlockPixels(SDL_Surface* s) {
  if (SDL_MUSTLOCK(s)) SDL_UnlockSurface(s);
}

Uint8* RowOf(SDL_Surface* s, int y) { return static_cast<Uint8*>(s->pixels) + s->pitch * y; }

// The images are walked as flat rows of bytes.
uint8_t* RowOf(RgbImage image, int y) { return reinterpret_cast<uint8_t*>(image) + RowBytes * y; }
const uint8_t* RowOf(const RgbImage image, int y) {
  return reinterpret_cast<const uint8_t*>(image) + RowBytes * y;
}

// One raw pixel of 1, 2, 3 (least significant byte first) or 4 bytes.
Uint32 LoadRaw(const Uint8* p, int bpp) {
  if (bpp == 1) return p[0];
  if (bpp == 3) return p[0] | (p[1] << 8) | (p[2] << 16);
  if (bpp == 2) {
    Uint16 v;
    std::memcpy(&v, p, 2);
    return v;
  }
  Uint32 v;
  std::memcpy(&v, p, 4);
  return v;
}

void StoreRaw(Uint8* p, int bpp, Uint32 v) {
  if (bpp == 1) {
    p[0] = static_cast<Uint8>(v);
  } else if (bpp == 3) {
    p[0] = static_cast<Uint8>(v);
    p[1] = static_cast<Uint8>(v >> 8);
    p[2] = static_cast<Uint8>(v >> 16);
  } else if (bpp == 2) {
    Uint16 w = static_cast<Uint16>(v);
    std::memcpy(p, &w, 2);
  } else {
    std::memcpy(p, &v, 4);
  }
}

// Four bytes with full 8-bit channels: SDL_GetRGB and SDL_MapRGB are plain shifts.
bool IsPlain32(const SDL_PixelFormat* f) {
  return f->BytesPerPixel == 4 && f->palette == nullptr && f->Rloss == 0 && f->Gloss == 0 &&
         f->Bloss == 0;
}

void ReadRow(const Uint8* row, const SDL_PixelFormat* f, uint8_t* out) {
  if (IsPlain32(f)) {
    const int rs = f->Rshift, gs = f->Gshift, bs = f->Bshift;
    for (int x = 0; x < WindowWidth; ++x, out += 3) {
      Uint32 v;
      std::memcpy(&v, row + 4 * x, 4);
      out[0] = static_cast<uint8_t>(v >> rs);
      out[1] = static_cast<uint8_t>(v >> gs);
      out[2] = static_cast<uint8_t>(v >> bs);
    }
    return;
  }
  const int bpp = f->BytesPerPixel;
  for (int x = 0; x < WindowWidth; ++x, out += 3)
    SDL_GetRGB(LoadRaw(row + bpp * x, bpp), f, &out[0], &out[1], &out[2]);
}

void WriteRow(const uint8_t* in, const SDL_PixelFormat* f, Uint8* row) {
  if (IsPlain32(f)) {
    const int rs = f->Rshift, gs = f->Gshift, bs = f->Bshift;
    const Uint32 alpha = f->Amask;  // SDL_MapRGB makes such pixels opaque
    for (int x = 0; x < WindowWidth; ++x, in += 3) {
      Uint32 v = (Uint32(in[0]) << rs) | (Uint32(in[1]) << gs) | (Uint32(in[2]) << bs) | alpha;
      std::memcpy(row + 4 * x, &v, 4);
    }
    return;
  }
  const int bpp = f->BytesPerPixel;
  for (int x = 0; x < WindowWidth; ++x, in += 3)
    StoreRaw(row + bpp * x, bpp, SDL_MapRGB(f, in[0], in[1], in[2]));
}

// Mixes one row of channel bytes, a per cent (0..100) of the blurred picture.
// The sum stays within 16 bits, which lets the compiler use vector registers.
void MixRow(const uint8_t* __restrict work, const uint8_t* __restrict scratch, int a,
            uint8_t* __restrict out) {
  const uint16_t wa = static_cast<uint16_t>(a), sa = static_cast<uint16_t>(100 - a);
  for (int i = 0; i < RowBytes; ++i)
    out[i] = static_cast<uint8_t>(static_cast<uint16_t>(work[i] * wa + scratch[i] * sa) / 100);
}

// Packs mixed channels by the format's own loss and shift (true colour only).
void PackRow(const uint8_t* mixed, const SDL_PixelFormat* f, Uint8* row) {
  const int rl = f->Rloss, gl = f->Gloss, bl = f->Bloss;
  const int rs = f->Rshift, gs = f->Gshift, bs = f->Bshift;
  const int bpp = f->BytesPerPixel;
  for (int x = 0; x < WindowWidth; ++x, mixed += 3) {
    Uint32 v = (Uint32(mixed[0] >> rl) << rs) | (Uint32(mixed[1] >> gl) << gs) |
               (Uint32(mixed[2] >> bl) << bs);
    if (bpp == 4)
      std::memcpy(row + 4 * x, &v, 4);
    else
      StoreRaw(row + bpp * x, bpp, v);
  }
}

// out[i] = (mid[i - side] + mid[i + side] + up[i] + down[i] + bias) / 4 for i in [side, end).
void BlurRow(const uint8_t* __restrict mid, const uint8_t* __restrict up,
             const uint8_t* __restrict down, uint8_t* __restrict out, int side, int bias) {
  const int end = RowBytes - side;
  int i = side;
  // Blocks of 16 with a fixed count let the compiler use vector registers.
  for (; i + 16 <= end; i += 16)
    for (int j = 0; j < 16; ++j)
      out[i + j] = static_cast<uint8_t>(
          (mid[i + j - side] + mid[i + j + side] + up[i + j] + down[i + j] + bias) >> 2);
  for (; i < end; ++i)
    out[i] = static_cast<uint8_t>((mid[i - side] + mid[i + side] + up[i] + down[i] + bias) >> 2);
}

// to(x, y) = (from(x - k, y) + from(x + k, y) + from(x, y - k) + from(x, y + k) + bias) / 4
// for x and y from k to the far edge minus k; everything else in `to` stays.
void BlurPass(const RgbImage from, RgbImage to, int k, int bias) {
  for (int y = k; y < WindowHeight - k; ++y)
    BlurRow(RowOf(from, y), RowOf(from, y - k), RowOf(from, y + k), RowOf(to, y), 3 * k, bias);
}

}  // namespace

void MakePausePictures() {
  SnapshotImage = SDL_DisplayFormat(ScreenSurface);
  BlurImage = SDL_DisplayFormat(ScreenSurface);
}

void FreezeScreen() {
  if (ScreenSurface == nullptr) return;
  if (SnapshotImage != nullptr) SDL_BlitSurface(ScreenSurface, nullptr, SnapshotImage, nullptr);
  ReadSurfaceRgb(ScreenSurface, WorkImage);
  std::memcpy(ScratchImage, WorkImage, sizeof(RgbImage));
  BlurWorkImage();
  LightenWorkImage();
  WriteSurfaceRgb(WorkImage, BlurImage);
  ReadSurfaceRgb(SnapshotImage != nullptr ? SnapshotImage : ScreenSurface, ScratchImage);
}

void BlurWorkImage() {
  BlurPass(WorkImage, ScratchImage, 3, 0);
  BlurPass(ScratchImage, WorkImage, 3, 1);
  for (int round = 0; round < 2; ++round) {
    BlurPass(WorkImage, ScratchImage, 1, 0);
    BlurPass(ScratchImage, WorkImage, 1, 0);
  }
}

int LightenValue(int v) {
  v = std::min(255, v + 50);
  v = std::max(0, v - 100);
  return std::min(255, v + 100);
}

void LightenWorkImage() {
  uint8_t* p = reinterpret_cast<uint8_t*>(WorkImage);
  for (size_t i = 0; i < sizeof(RgbImage); ++i) p[i] = static_cast<uint8_t>(LightenValue(p[i]));
}

void ReadSurfaceRgb(SDL_Surface* surface, RgbImage image) {
  if (!LockPixels(surface)) return;
  for (int y = 0; y < WindowHeight; ++y) ReadRow(RowOf(surface, y), surface->format, RowOf(image, y));
  UnlockPixels(surface);
}

void WriteSurfaceRgb(const RgbImage image, SDL_Surface* surface) {
  if (!LockPixels(surface)) return;
  for (int y = 0; y < WindowHeight; ++y) WriteRow(RowOf(image, y), surface->format, RowOf(surface, y));
  UnlockPixels(surface);
}

void BlendIntoSurface(SDL_Surface* surface, int a) {
  if (!LockPixels(surface)) return;
  const SDL_PixelFormat* f = surface->format;
  // Within 0..100 every mixed value is already within 0..255.
  a = std::clamp(a, 0, 100);
  uint8_t mixed[RowBytes];
  for (int y = 0; y < WindowHeight; ++y) {
    MixRow(RowOf(WorkImage, y), RowOf(ScratchImage, y), a, mixed);
    // A palette has no channels to pack into: SDL_MapRGB finds the nearest colour.
    if (f->palette != nullptr)
      WriteRow(mixed, f, RowOf(surface, y));
    else
      PackRow(mixed, f, RowOf(surface, y));
  }
  UnlockPixels(surface);
}
