// The song list's preview through the real mixer (silent driver): it waits
// half a second, plays, plays again after its span, stops when the row is
// left, and music that cannot be opened stays silent.
#include <gtest/gtest.h>

#include <filesystem>

#include "game/preview.h"
#include "kit/clock.h"
#include "app/app_support.h"
#include "test_support.h"

TEST(SongPreview, WaitsHalfASecondPlaysRepeatsAndStopsWhenTheRowIsLeft) {
  ScratchFolder scratch;
  OpenMixer mixer;
  if (!mixer.open) GTEST_SKIP() << "no audio device, not even the silent one";
  ASSERT_TRUE(MakeToneMp3("Music/t.mp3", 3.0));
  std::filesystem::create_directories("Music/folder.ogg");
  GameClockMs = 1000;
  UpdatePreview("t.mp3", "");
  GameClockMs += PreviewDelayMs - 1;
  UpdatePreview("t.mp3", "");
  EXPECT_FALSE(PreviewPlaying());
  GameClockMs += 1;
  UpdatePreview("t.mp3", "");
  EXPECT_TRUE(PreviewPlaying());
  GameClockMs += 12000;  // the default span ends (the file itself ended before): over again
  UpdatePreview("t.mp3", "");
  EXPECT_TRUE(PreviewPlaying());
  UpdatePreview("", "");
  EXPECT_FALSE(PreviewPlaying());
  for (const char* silent : {"folder.ogg", "missing.ogg"}) {
    UpdatePreview(silent, "");
    GameClockMs += PreviewDelayMs;
    UpdatePreview(silent, "");
    EXPECT_FALSE(PreviewPlaying()) << silent;
  }
  StopPreview();
  GameClockMs = 0;
}
