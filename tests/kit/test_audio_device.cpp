// What the sound card holds, measured on SDL's disk driver: a card that
// takes a buffer every 23 ms and holds nothing more, so the refill after
// running it dry must show just the buffer being mixed.
#include <gtest/gtest.h>

#include <SDL.h>

#include <cstdlib>
#include <string>

#include "kit/audio.h"
#include "kit/audio_device.h"

namespace {

TEST(SoundCard, MeasuredAfterRunningDryAndClosedWhileDry) {
  const std::string card = testing::TempDir() + "zedov-card.raw";
  if (SDL_WasInit(SDL_INIT_AUDIO) != 0) SDL_QuitSubSystem(SDL_INIT_AUDIO);  // another test's silent driver
  setenv("SDL_AUDIODRIVER", "disk", 1);
  setenv("SDL_DISKAUDIOFILE", card.c_str(), 1);
  setenv("SDL_DISKAUDIODELAY", "23", 1);
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) GTEST_SKIP() << "no disk audio driver: " << SDL_GetError();
  OpenAudio(1024);
  ASSERT_TRUE(MusicClockRuns());
  bool final = false;
  for (int waited = 0; waited < 6000 && !final; waited += 20) {
    SDL_Delay(20);
    MeasuredDeviceDepth(&final);
  }
  EXPECT_TRUE(final) << "the measure ends";
  EXPECT_NEAR(MeasuredDeviceDepth(nullptr), 1024, 3 * 44) << "the buffer being mixed, to 3 ms: SDL's sleeps run late";
  EXPECT_NEAR(MusicWaitingMs(), 23, 3);
  CloseAudio();
  // Opened again and closed at once, the measuring thread stops with it (no lock left held).
  OpenAudio(1024);
  SDL_Delay(300);
  CloseAudio();
  OpenAudio(1024);
  EXPECT_LT(MeasuredDeviceDepth(&final), 2048);
  EXPECT_FALSE(final) << "measured afresh";
  CloseAudio();
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  std::remove(card.c_str());
}

}  // namespace
