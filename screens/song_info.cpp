// The panel on the lit song, and its banners.
#include "screens/song_info.h"

#include <SDL.h>
#include <SDL_image.h>
#include <unistd.h>

#include <deque>
#include <string>

#include "charts/chart_meter.h"
#include "charts/library.h"
#include "charts/library_cache.h"
#include "charts/safe_file.h"
#include "charts/song_info.h"
#include "kit/clock.h"
#include "kit/font.h"
#include "kit/image_scale.h"
#include "kit/images.h"

namespace {

constexpr size_t BannerBytes = 4 * 1024 * 1024;  // a bigger file is no banner, and slow to decode
constexpr long MostBannerPixels = 4096L * 4096;
constexpr int BannerX = 12, BannerY = 410, BannerWidth = 176, BannerHeight = 56;
constexpr int TextX = 198, TextY = 404, LineHeight = 22, TextChars = 25;

struct Banner {
  std::string song;
  SDL_Surface* picture = nullptr;  // null: the song has none, or it could not be read
  std::string numbers;             // its charts' numbers as the difficulty select shows them ("3 ~5 9")
};
std::deque<Banner> Banners;  // the latest last

std::string LitSong;
int32_t LitSinceMs = 0;

const Banner* KeptBanner(const std::string& song) {
  for (const Banner& banner : Banners)
    if (banner.song == song) return &banner;
  return nullptr;
}

SDL_Surface* LoadBanner(const std::string& path) {
  FileRead found;
  int fd = path.empty() ? -1 : OpenFileToRead(path, BannerBytes, found);
  if (fd < 0) return nullptr;
  close(fd);
  SDL_Surface* loaded = IMG_Load(path.c_str());
  if (loaded == nullptr) return nullptr;
  SDL_Surface* scaled = static_cast<long>(loaded->w) * loaded->h <= MostBannerPixels
                            ? ScaledToFit(loaded, BannerWidth, BannerHeight)
                            : nullptr;
  SDL_FreeSurface(loaded);
  return scaled;
}

std::string ChartNumbers(const std::string& song) {
  std::string numbers;
  for (const ChartMeter& meter : ChartMeters(song))
    if (meter.number > 0) numbers += (numbers.empty() ? "" : " ") + MeterLabel(meter);
  return numbers;
}

void KeepBanner(const LibrarySong& song) {
  const std::string& banner = SongInfoOf(song).banner;
  Banners.push_back({song.song, LoadBanner(banner.empty() ? banner : MusicPath(banner)), ChartNumbers(song.song)});
  if (Banners.size() <= BannersKept) return;
  SDL_FreeSurface(Banners.front().picture);
  Banners.pop_front();
}

bool BannerDue(const LibrarySong* lit) { return lit != nullptr && KeptBanner(lit->song) == nullptr; }

}  // namespace

void UpdateSongPanel(const LibrarySong* lit) {
  std::string song = lit != nullptr ? lit->song : "";
  if (song != LitSong && lit != nullptr) CheckSongFolder(*lit);
  if (song != LitSong) LitSong = song, LitSinceMs = GameClockMs;
  if (lit != nullptr) SongInfoOf(*lit);  // a loose song's is read now, not while drawing
  if (BannerDue(lit) && GameClockMs - LitSinceMs >= BannerDelayMs) KeepBanner(*lit);
}

int32_t SongPanelDueMs() {
  if (LitSong.empty() || KeptBanner(LitSong) != nullptr) return -1;
  return LitSinceMs + BannerDelayMs;
}

void DrawSongPanel(const LibrarySong* lit) {
  if (lit == nullptr) return;
  const SongInfo& info = SongInfoOf(*lit);
  const Banner* banner = KeptBanner(lit->song);
  if (banner != nullptr && banner->picture != nullptr)
    DrawImage(banner->picture, nullptr, BannerX, BannerY + (BannerHeight - banner->picture->h) / 2);
  double low = 0, high = 0;
  TempoOf(lit->song, info, low, high);
  std::string tempo = TempoText(low, high), length = LengthText(info.seconds);
  std::string timing = tempo + (tempo.empty() || length.empty() ? "" : "  ") + length;
  DrawText(TextX, TextY, DisplayName(info.artist, 0).substr(0, TextChars), TextAlign::Left);
  DrawText(TextX, TextY + LineHeight, timing.substr(0, TextChars), TextAlign::Left);
  // The step file's numbers until the charts' are read, and where they tell none.
  std::string numbers = banner != nullptr && !banner->numbers.empty() ? banner->numbers : MetersText(info.meters);
  DrawText(TextX, TextY + 2 * LineHeight, numbers.substr(0, TextChars), TextAlign::Left);
}

void DrawFavouriteMark(int r) { DrawText(28, 95 + 40 * r - 10, "*", TextAlign::Left); }

void ForgetBanners() {
  for (Banner& banner : Banners) SDL_FreeSurface(banner.picture);
  Banners.clear();
  LitSong.clear();
}
