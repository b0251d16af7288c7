// The timing picture of the results.
#include "screens/timing_picture.h"

#include <SDL.h>

#include <algorithm>

#include "game/judgement.h"
#include "game/play_state.h"
#include "kit/font.h"
#include "kit/images.h"

namespace {

constexpr int Dot = 3;  // a press is a 3 x 3 dot

void Fill(int x, int y, int w, int h, Uint8 r, Uint8 g, Uint8 b) {
  if (ScreenSurface == nullptr) return;
  SDL_Rect area = MakeRect(x, y, w, h);
  SDL_FillRect(ScreenSurface, &area, SDL_MapRGB(ScreenSurface->format, r, g, b));
}

// A dark ground with a frame, the PERFECT band a shade lighter, and zero.
void DrawGround() {
  const Box& p = TimingPlot;
  Fill(p.x - 1, p.y - 1, p.width + 2, p.height + 2, 90, 120, 180);
  Fill(p.x, p.y, p.width, p.height, 8, 12, 34);
  int bandTop = OffsetRow(PerfectWithinMs), bandBottom = OffsetRow(-PerfectWithinMs);
  Fill(p.x, bandTop, p.width, bandBottom - bandTop + 1, 28, 40, 82);
  Fill(p.x, OffsetRow(0), p.width, 1, 200, 210, 230);
}

}  // namespace

int OffsetRow(int offsetMs) {
  int offset = std::clamp(offsetMs, EarliestOffsetMs, LatestOffsetMs);
  int span = LatestOffsetMs - EarliestOffsetMs;
  return TimingPlot.y + (LatestOffsetMs - offset) * (TimingPlot.height - 1) / span;
}

int SongColumn(int noteMs, int lastMs) {
  int64_t last = std::max(lastMs, 1);
  int64_t at = std::clamp<int64_t>(noteMs, 0, last);
  return TimingPlot.x + static_cast<int>(at * (TimingPlot.width - Dot) / last);
}

void DrawTimingPicture(const std::vector<PressTiming>& presses) {
  DrawText(25, TimingPlot.y - 2, "LATE", TextAlign::Left);
  DrawText(25, TimingPlot.y + TimingPlot.height - 19, "EARLY", TextAlign::Left);
  DrawGround();
  int last = 1;
  for (const PressTiming& p : presses) last = std::max(last, p.noteMs);
  for (const PressTiming& p : presses) {
    int x = SongColumn(p.noteMs, last), y = OffsetRow(p.offsetMs) - Dot / 2;
    y = std::clamp(y, TimingPlot.y, TimingPlot.y + TimingPlot.height - Dot);
    if (p.rating == Perfect)
      Fill(x, y, Dot, Dot, 255, 196, 60);
    else
      Fill(x, y, Dot, Dot, 90, 225, 110);
  }
}

void DrawTimingFigures(const TimingSummary& summary) {
  DrawText(450, 95, "MEAN", TextAlign::Left);
  DrawText(615, 95, SignedTenths(summary.meanMs) + " ms", TextAlign::Right);
  DrawText(450, 115, "SPREAD", TextAlign::Left);
  DrawText(615, 115, Tenths(summary.spreadMs) + " ms", TextAlign::Right);
}
