// The heaviest play frame: 989 notes in the list, about 100 of them on screen
// (a third holds), 50 rating words in the air, all four arrow keys down and
// one just pressed, drawn at 32 bits per pixel with the game's own sheets.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "bench/bench_support.h"
#include "game/play.h"
#include "game/play_helpers.h"
#include "kit/images.h"
#include "kit/sheet_blit.h"
#include "screens/screen_state.h"

namespace {

std::vector<Note> SavedNotes;
std::vector<RatingPopup> SavedPopups;

constexpr int32_t Now = 60000;  // the song position of the measured frame

// Notes every 23 ms from just inside the miss limit: the first hundred fill
// the screen, the rest wait below it.
void BuildSong() {
  ResetPlay();
  for (int i = 0; i < 989; ++i) {
    int time = Now - 120 + 23 * i;
    AddNote(i % 4, time, i % 3 == 0 ? 300 + 7 * (i % 100) : 0);
  }
  for (int i = 0; i < 50; ++i) PopupList.push_back(RatingPopup{258, 50 - 2 * i, i % 3});
  SavedNotes = NoteList;
  SavedPopups = PopupList;
}

void RestoreFrame() {
  NoteList = SavedNotes;
  PopupList = SavedPopups;
  PlayStart = 0;
  SongPosition = Now - 16;
  GameClockMs = Now;
  for (int key : ColumnKeys) KeyStates[key] = KeyState::Held;
  KeyStates[ColumnKeys[1]] = KeyState::Pressed;
  for (int32_t& timer : ColumnTimer) timer = 1;
  Screen = ScreenId::Play;
}

void BM_HeaviestPlayFrame(benchmark::State& state) {
  LoadMediaOnce();
  BuildSong();
  int onScreen = 0;
  for (auto _ : state) {
    state.PauseTiming();
    RestoreFrame();
    state.ResumeTiming();
    RunPlayScreen();
    state.PauseTiming();
    onScreen = DrawNotes();
    state.ResumeTiming();
  }
  state.counters["notes_on_screen"] = onScreen;
  state.counters["bpp"] = ScreenSurface->format->BitsPerPixel;
}
BENCHMARK(BM_HeaviestPlayFrame)->Unit(benchmark::kMicrosecond);

// The same frame with every sheet drawn by SDL's own blit, as the game drew it before.
void BM_HeaviestPlayFrameBySdlBlit(benchmark::State& state) {
  LoadMediaOnce();
  BuildSong();
  SheetRunsEnabled = false;
  for (auto _ : state) {
    state.PauseTiming();
    RestoreFrame();
    state.ResumeTiming();
    RunPlayScreen();
  }
  SheetRunsEnabled = true;
}
BENCHMARK(BM_HeaviestPlayFrameBySdlBlit)->Unit(benchmark::kMicrosecond);

// The same frame with the backdrop the dispatcher blits under every screen.
void BM_HeaviestPlayFrameWithBackdrop(benchmark::State& state) {
  LoadMediaOnce();
  BuildSong();
  for (auto _ : state) {
    state.PauseTiming();
    RestoreFrame();
    state.ResumeTiming();
    SDL_BlitSurface(GameBackground, nullptr, ScreenSurface, nullptr);
    RunPlayScreen();
  }
}
BENCHMARK(BM_HeaviestPlayFrameWithBackdrop)->Unit(benchmark::kMicrosecond);

void BM_UpdateJudgement(benchmark::State& state) {
  BuildSong();
  for (auto _ : state) {
    state.PauseTiming();
    RestoreFrame();
    state.ResumeTiming();
    AdvanceSongClock();
    UpdateJudgement();
    benchmark::DoNotOptimize(NoteList.data());
  }
  state.counters["notes_left"] = static_cast<double>(NoteList.size());
}
BENCHMARK(BM_UpdateJudgement)->Unit(benchmark::kMicrosecond);

// The parts of the frame on their own: the notes with their holds, and the words.
void BM_DrawNotes(benchmark::State& state) {
  LoadMediaOnce();
  BuildSong();
  RestoreFrame();
  AdvanceSongClock();
  for (auto _ : state) benchmark::DoNotOptimize(DrawNotes());
}
BENCHMARK(BM_DrawNotes)->Unit(benchmark::kMicrosecond);

void BM_DrawPopups(benchmark::State& state) {
  LoadMediaOnce();
  BuildSong();
  FrameDelta = 0;  // the words stay where they are
  for (auto _ : state) DrawPopups();
  state.counters["popups"] = static_cast<double>(PopupList.size());
}
BENCHMARK(BM_DrawPopups)->Unit(benchmark::kMicrosecond);
}  // namespace
