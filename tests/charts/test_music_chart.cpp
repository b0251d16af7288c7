// Arrows where the music is: the rules every chart keeps, on songs of known beats.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>

#include "charts/music_chart.h"
#include "synth_music.h"

namespace {

// For drums, swing, a soft melody and a song with a silent middle, in each
// difficulty: more arrows than the one before, each on the grid and inside
// the music, none in the silence, at most two at once, no fast repeat of an
// arrow below Challenge, holds that no arrow of their column cuts; the same
// chart again for the same music.
TEST(MusicChart, ArrowsFollowTheRules) {
  for (SynthSong song : {SynthSong{128, 700, 50}, SynthSong{140, 38, 50, SynthKind::Swung},
                         SynthSong{96, 300, 50, SynthKind::Melody}, SynthSong{150, 1000, 60, SynthKind::SilentMiddle}}) {
    std::vector<float> samples = Synthesise(song);
    MusicAnalysis music = AnalyseMusic(samples.data(), samples.size(), song.rate);
    ASSERT_GT(music.bpm, 0);
    SCOPED_TRACE(testing::Message() << "kind " << static_cast<int>(song.kind));
    size_t lastCount = 0;
    for (int d = 0; d < DifficultyCount; ++d) {
      std::vector<GridNote> notes = MusicChart(music, music.bpm, music.firstBeatMs, music.beats, d);
      EXPECT_GT(notes.size(), lastCount) << "difficulty " << d;
      lastCount = notes.size();
      std::map<int, int> atOnce;
      std::vector<int> heldUntil(4, -1), lastTime(4, -100000);
      for (const GridNote& g : notes) {
        double part = 60000 / music.bpm / g.slotsPerBeat, at = music.firstBeatMs + g.slot * part;
        EXPECT_TRUE(g.slotsPerBeat == 4 || g.slotsPerBeat == 3);
        EXPECT_NEAR(g.note.time, at, 0.5) << "on the grid";
        EXPECT_EQ(g.note.beat == BeatPlace::Quarter, g.slot % g.slotsPerBeat == 0) << "its place in the beat";
        EXPECT_GE(g.note.time, music.startMs - 1);
        EXPECT_LE(g.note.time + g.note.hold, music.endMs + 1) << "inside the music";
        double share = g.note.time / (song.seconds * 1000);
        if (song.kind == SynthKind::SilentMiddle) {
          EXPECT_FALSE(share > 0.41 && share < 0.59) << g.note.time;
        }
        EXPECT_LE(++atOnce[g.note.time], 2) << "no three at once";
        EXPECT_GT(g.note.time, heldUntil[g.note.column]) << "an arrow in a held lane";
        if (g.note.hold > 0) {
          EXPECT_GE(d, Medium);
          heldUntil[g.note.column] = g.note.time + g.note.hold;
        }
        if (d < Challenge) {
          EXPECT_GE(g.note.time - lastTime[g.note.column], 60000 / music.bpm / 2 - 1) << "a fast repeat";
        }
        lastTime[g.note.column] = g.note.time;
      }
      if (d == Beginner) {
        int sides = std::count_if(notes.begin(), notes.end(), [](const GridNote& g) { return g.note.column % 3 == 0; });
        EXPECT_GT(sides, static_cast<int>(notes.size() * 3 / 4)) << "Beginner steps left and right mostly";
        EXPECT_LT(notes.size(), song.seconds * 1.3) << "about one arrow a second";
      }
    }
    EXPECT_EQ(MusicChartText(music), MusicChartText(music));
  }
  MusicAnalysis none;
  EXPECT_TRUE(MusicChart(none, 120, 0, 100, Hard).empty());
  EXPECT_EQ(MusicChartText(none, 0, 0, 0).find("----"), std::string::npos);
}

}  // namespace
