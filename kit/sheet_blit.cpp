// Run-by-run alpha blits of the play sheets onto a 32-bit screen.
//
// What SDL 1.2.15 does with such a sheet (found by blitting every sheet byte,
// screen byte and alpha through SDL_BlitSurface on an x86-64 machine with MMX
// and SSE2, for the plain SDL_DisplayFormatAlpha copy and for the run-length
// coded one; both give the same colours):
//  - alpha 0: the screen pixel stays as it was.
//  - alpha 255: the sheet's colour. The plain copy keeps the screen's unused
//    top byte, the coded copy writes its own (0xFF).
//  - alpha 1..254: each colour byte becomes d + (s - d) a / 256 rounded down,
//    which is (s a + d (256 - a)) >> 8. The plain copy keeps the screen's top
//    byte, the coded copy leaves it 0.
// So the colours never depend on the path; the top byte is matched as well,
// so that the screen's memory is the same byte for byte.
//
// Each sheet row is cut once into runs: clear pixels are skipped, long solid
// stretches copied, and the rest (soft pixels and the short solid bits among
// them) blended with weights worked out once per pixel, so that drawing one
// takes a multiply and an add per byte: (sheetPart + d screenPart) >> 8.
#include "kit/sheet_blit.h"

#include <algorithm>
#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include "kit/images.h"

namespace {

constexpr Uint32 AlphaMask = 0xFF000000;
constexpr Uint32 ColourMask = 0x00FFFFFF;

bool IsByteMask(Uint32 mask) { return mask == 0xFF || mask == 0xFF00 || mask == 0xFF0000; }

bool SheetUsable(const SDL_Surface* sheet) {
  const SDL_PixelFormat* f = sheet->format;
  return f->BytesPerPixel == 4 && f->Amask == AlphaMask && IsByteMask(f->Rmask) && IsByteMask(f->Gmask) &&
         IsByteMask(f->Bmask) && (f->Rmask | f->Gmask | f->Bmask) == ColourMask &&
         (sheet->flags & SDL_SRCALPHA) != 0 && (sheet->flags & SDL_SRCCOLORKEY) == 0 && sheet->w <= 65535;
}

// The screen takes the fast path only with the sheet's colour order and no alpha of its own.
bool ScreenMatches(const SheetRuns& runs) {
  if (ScreenSurface == nullptr) return false;
  const SDL_PixelFormat* f = ScreenSurface->format;
  const SDL_PixelFormat* s = runs.sheet->format;
  return f->BytesPerPixel == 4 && f->Amask == 0 && f->Rmask == s->Rmask && f->Gmask == s->Gmask &&
         f->Bmask == s->Bmask;
}

enum PixelKind { Clear, Solid, Soft };

PixelKind KindOf(Uint32 pixel) {
  Uint32 a = pixel >> 24;
  if (a == 0) return Clear;
  return a == 255 ? Solid : Soft;
}

// A solid stretch this long is copied on its own; a shorter one joins the
// soft pixels around it, so that a row is mostly one run, not a dozen short ones.
constexpr int LongSolid = 8;

// Each byte of a blended pixel as (sheetPart, screenPart), from its lowest:
// SDL's blend of a colour byte c is (c a + d (256 - a)) / 256; a solid one is
// c, i.e. (256 c, 0). The top byte follows the copy's rules given above.
void WeighPixel(SheetRuns& runs, Uint32 pixel) {
  Uint32 a = pixel >> 24;
  for (int k = 0; k < 3; ++k) {
    Uint32 c = (pixel >> (8 * k)) & 0xFF;
    runs.sheetPart.push_back(static_cast<Uint16>(a == 255 ? 256 * c : a * c));
    runs.screenPart.push_back(static_cast<Uint16>(a == 255 ? 0 : 256 - a));
  }
  bool kept = runs.keep != 0;
  runs.sheetPart.push_back(static_cast<Uint16>(!kept && a == 255 ? 256 * 255 : 0));
  runs.screenPart.push_back(static_cast<Uint16>(kept ? 256 : 0));
}

// How many pixels the copied runs (0) and the blended ones (1) hold so far.
using PixelCounts = int[2];

// A run only counts its pixels here; FillRuns stores them.
void AddRun(SheetRuns& runs, int x, int end, bool blended, PixelCounts& counts) {
  runs.runs.push_back(SheetRun{static_cast<Uint16>(x), static_cast<Uint16>(end - x), blended, counts[blended]});
  counts[blended] += end - x;
}

void CutRow(SheetRuns& runs, const Uint32* row, int w, PixelCounts& counts) {
  int open = -1;  // where the blended run being gathered starts
  bool soft = false;
  int x = 0;
  while (x < w) {
    PixelKind kind = KindOf(row[x]);
    int end = x + 1;
    while (end < w && KindOf(row[end]) == kind) ++end;
    if (kind == Clear || (kind == Solid && end - x >= LongSolid)) {
      if (open >= 0) AddRun(runs, open, x, soft, counts);
      open = -1;
      if (kind == Solid) AddRun(runs, x, end, false, counts);
    } else {
      if (open < 0) {
        open = x;
        soft = false;
      }
      soft = soft || kind == Soft;
    }
    x = end;
  }
  if (open >= 0) AddRun(runs, open, x, soft, counts);
}

void FillRuns(SheetRuns& runs, const std::vector<Uint32>& pixels, const PixelCounts& counts) {
  runs.solid.reserve(static_cast<size_t>(counts[0]));
  runs.sheetPart.reserve(4 * static_cast<size_t>(counts[1]));
  runs.screenPart.reserve(4 * static_cast<size_t>(counts[1]));
  for (int y = 0; y < runs.h; ++y) {
    const Uint32* row = &pixels[static_cast<size_t>(y) * runs.w];
    for (int i = runs.rowStarts[y]; i < runs.rowStarts[y + 1]; ++i) {
      const SheetRun& run = runs.runs[i];
      for (int x = run.x; x < run.x + run.length; ++x)
        if (run.blended)
          WeighPixel(runs, row[x]);
        else
          runs.solid.push_back(row[x]);
    }
  }
}

// Where a part starting at each column of row y finds its first run.
void IndexRow(SheetRuns& runs, int y) {
  int first = runs.rowStarts[y];
  int next = first;
  for (int x = 0; x < runs.w; ++x) {
    while (next < runs.rowStarts[y + 1] && runs.runs[next].x + runs.runs[next].length <= x) ++next;
    runs.firstRuns.push_back(static_cast<Uint16>(next - first));
  }
}

// The same sums one byte at a time, for short runs and for builds without SSE2.
inline Uint32 BlendPixel(Uint32 d, const Uint16* sheetPart, const Uint16* screenPart) {
  Uint32 out = 0;
  for (int k = 0; k < 4; ++k) {
    Uint32 byte = (d >> (8 * k)) & 0xFF;
    out |= ((sheetPart[k] + byte * screenPart[k]) >> 8) << (8 * k);
  }
  return out;
}

#ifdef __SSE2__
__m128i Load(const void* at) { return _mm_loadu_si128(static_cast<const __m128i*>(at)); }
__m128i LoadHalf(const void* at) { return _mm_loadl_epi64(static_cast<const __m128i*>(at)); }

// Four pixels, each byte widened to 16 bits; sheetPart + d screenPart never passes 65280.
// The low halves hold pixels 0 and 1, the high ones pixels 2 and 3.
inline __m128i BlendFour(__m128i d, __m128i sheetLow, __m128i sheetHigh, __m128i screenLow, __m128i screenHigh) {
  __m128i zero = _mm_setzero_si128();
  __m128i low = _mm_add_epi16(sheetLow, _mm_mullo_epi16(_mm_unpacklo_epi8(d, zero), screenLow));
  __m128i high = _mm_add_epi16(sheetHigh, _mm_mullo_epi16(_mm_unpackhi_epi8(d, zero), screenHigh));
  return _mm_packus_epi16(_mm_srli_epi16(low, 8), _mm_srli_epi16(high, 8));
}

inline __m128i BlendFourAt(const Uint32* out, const Uint16* sheetPart, const Uint16* screenPart) {
  return BlendFour(Load(out), Load(sheetPart), Load(sheetPart + 8), Load(screenPart), Load(screenPart + 8));
}
#endif

void BlendRun(Uint32* out, const Uint16* sheetPart, const Uint16* screenPart, int n) {
#ifdef __SSE2__
  if (n >= 4) {
    // The last four, from the screen as it was, are stored last over whatever
    // the loop wrote there: the same values, so n need not be a multiple of 4.
    int tail = n - 4;
    __m128i last = BlendFourAt(out + tail, sheetPart + 4 * tail, screenPart + 4 * tail);
    for (int i = 0; i < tail; i += 4) {
      __m128i blended = BlendFourAt(out + i, sheetPart + 4 * i, screenPart + 4 * i);
      _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), blended);
    }
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + tail), last);
    return;
  }
  if (n >= 2) {
    // Two or three pixels (the hold strip's edges) in one partly filled vector.
    __m128i zero = _mm_setzero_si128();
    bool three = n == 3;
    __m128i d = LoadHalf(out);
    if (three) d = _mm_unpacklo_epi64(d, _mm_cvtsi32_si128(static_cast<int>(out[2])));
    __m128i blended = BlendFour(d, Load(sheetPart), three ? LoadHalf(sheetPart + 8) : zero, Load(screenPart),
                                three ? LoadHalf(screenPart + 8) : zero);
    _mm_storel_epi64(reinterpret_cast<__m128i*>(out), blended);
    if (three) out[2] = static_cast<Uint32>(_mm_cvtsi128_si32(_mm_srli_si128(blended, 8)));
    return;
  }
#endif
  for (int i = 0; i < n; ++i) out[i] = BlendPixel(out[i], sheetPart + 4 * i, screenPart + 4 * i);
}

void CopyRun(Uint32* out, const Uint32* in, int n, Uint32 keep) {
  if (keep == 0) {
    std::memcpy(out, in, static_cast<size_t>(n) * 4);
    return;
  }
#ifdef __SSE2__
  if (n >= 4) {
    // As in BlendRun, the last four are stored last, from the screen as it was.
    __m128i keeps = _mm_set1_epi32(static_cast<int>(keep));
    auto copy = [keeps](const Uint32* from, Uint32* to) {
      __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from));
      __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(to));
      return _mm_or_si128(_mm_andnot_si128(keeps, s), _mm_and_si128(d, keeps));
    };
    __m128i last = copy(in + n - 4, out + n - 4);
    for (int i = 0; i + 4 < n; i += 4) _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), copy(in + i, out + i));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + n - 4), last);
    return;
  }
#endif
  for (int i = 0; i < n; ++i) out[i] = (in[i] & ~keep) | (out[i] & keep);
}

// Sheet columns [sx, sx + w) of row sy, with column sx landing on out[0].
void DrawRow(const SheetRuns& runs, int sy, int sx, int w, Uint32* out) {
  const SheetRun* run = runs.runs.data() + runs.rowStarts[sy] + runs.firstRuns[sy * runs.w + sx];
  const SheetRun* last = runs.runs.data() + runs.rowStarts[sy + 1];
  int end = sx + w;
  for (; run != last && run->x < end; ++run) {
    int from = std::max<int>(run->x, sx);
    int to = std::min(run->x + run->length, end);
    size_t at = static_cast<size_t>(run->at + from - run->x);
    if (run->blended)
      BlendRun(out + (from - sx), &runs.sheetPart[4 * at], &runs.screenPart[4 * at], to - from);
    else
      CopyRun(out + (from - sx), &runs.solid[at], to - from, runs.keep);
  }
}

// The sheet area and screen position left after clipping, as SDL_UpperBlit works them out.
struct ClippedBlit {
  int sx, sy, dx, dy, w, h;
};

// One axis of SDL_UpperBlit's clipping: first to the sheet, then to the clip rectangle.
void ClipAxis(int& s, int& d, int& size, int sheetSize, int clipStart, int clipSize) {
  if (s < 0) {
    size += s;
    d -= s;
    s = 0;
  }
  size = std::min(size, sheetSize - s);
  int over = clipStart - d;
  if (over > 0) {
    size -= over;
    d += over;
    s += over;
  }
  over = d + size - clipStart - clipSize;
  if (over > 0) size -= over;
}

ClippedBlit Clip(const SheetRuns& runs, const SDL_Rect* part, int x, int y) {
  ClippedBlit b{0, 0, x, y, runs.w, runs.h};
  if (part != nullptr) b = ClippedBlit{part->x, part->y, x, y, part->w, part->h};
  const SDL_Rect& clip = ScreenSurface->clip_rect;
  ClipAxis(b.sx, b.dx, b.w, runs.w, clip.x, clip.w);
  ClipAxis(b.sy, b.dy, b.h, runs.h, clip.y, clip.h);
  return b;
}

void DrawClipped(const SheetRuns& runs, const ClippedBlit& b) {
  SDL_Surface* screen = ScreenSurface;
  bool locked = SDL_MUSTLOCK(screen);
  if (locked && SDL_LockSurface(screen) != 0) return;
  for (int r = 0; r < b.h; ++r) {
    Uint8* row = static_cast<Uint8*>(screen->pixels) + static_cast<size_t>(b.dy + r) * screen->pitch;
    DrawRow(runs, b.sy + r, b.sx, b.w, reinterpret_cast<Uint32*>(row) + b.dx);
  }
  if (locked) SDL_UnlockSurface(screen);
}

}  // namespace

bool PrepareSheet(SheetRuns& runs, SDL_Surface* sheet) {
  runs = SheetRuns{};
  if (sheet == nullptr || !SheetUsable(sheet)) return false;
  // Locking a run-length coded surface decodes it; unlocking codes it again.
  if (SDL_LockSurface(sheet) != 0) return false;
  runs.w = sheet->w;
  runs.h = sheet->h;
  std::vector<Uint32> pixels(static_cast<size_t>(runs.w) * runs.h);
  for (int y = 0; y < runs.h; ++y)
    std::memcpy(&pixels[static_cast<size_t>(y) * runs.w],
                static_cast<const Uint8*>(sheet->pixels) + static_cast<size_t>(y) * sheet->pitch,
                static_cast<size_t>(runs.w) * 4);
  SDL_UnlockSurface(sheet);
  runs.keep = (sheet->flags & SDL_RLEACCELOK) != 0 ? 0 : AlphaMask;
  runs.rowStarts.reserve(static_cast<size_t>(runs.h) + 1);
  runs.firstRuns.reserve(pixels.size());
  runs.rowStarts.push_back(0);
  PixelCounts counts = {0, 0};
  for (int y = 0; y < runs.h; ++y) {
    CutRow(runs, &pixels[static_cast<size_t>(y) * runs.w], runs.w, counts);
    runs.rowStarts.push_back(static_cast<int>(runs.runs.size()));
    IndexRow(runs, y);
  }
  FillRuns(runs, pixels, counts);
  runs.sheet = sheet;
  return true;
}

void DrawSheetPart(const SheetRuns& runs, SDL_Surface* sheet, const SDL_Rect* part, int x, int y) {
  if (!SheetRunsEnabled || sheet == nullptr || runs.sheet != sheet || !ScreenMatches(runs)) {
    DrawImage(sheet, part, x, y);
    return;
  }
  if (OffWindow(x, y)) return;
  ClippedBlit b = Clip(runs, part, x, y);
  if (b.w > 0 && b.h > 0) DrawClipped(runs, b);
}
