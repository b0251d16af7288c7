// Charts of song folders made from their step files when the song is chosen.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "charts/chart_meter.h"
#include "charts/chart_on_demand.h"
#include "test_files.h"

namespace fs = std::filesystem;

namespace {

const char* const Song = "Pack/S/t.ogg";
const char* const Chart = "Music/Pack/S/t.ogg.tq";
const char* const Steps = "Music/Pack/S/t.sm";

std::string StepFile(const char* difficulty) {
  return std::string("#OFFSET:0;\n#BPMS:0=120;\n#NOTES:\n dance-single:\n :\n ") + difficulty +
         ":\n 1:\n 0:\n1000\n0000\n0000\n0000\n;\n";
}

void Age(const char* path, int seconds) {
  fs::last_write_time(path, fs::last_write_time(path) - std::chrono::seconds(seconds));
}

}  // namespace

TEST(ChartOnDemand, MadeThenRemadeWhenTheStepFileIsNewerButNeverOverThePlayersChart) {
  ScratchFolder scratch;
  WriteTextFile("Music/Pack/S/t.ogg", "");
  WriteTextFile(Steps, StepFile("Easy"));
  bool flags[DifficultyCount] = {};
  EXPECT_EQ(PrepareSongChart(Song), ChartMade::Written);
  ReadSongDifficulties(Song, flags);
  EXPECT_TRUE(flags[Easy] && !flags[Medium]);
  EXPECT_EQ(ReadSongSection(Song, Easy).size(), 1u);
  EXPECT_EQ(PrepareSongChart(Song), ChartMade::Kept);  // not older than its step file
  WriteTextFile(Steps, StepFile("Medium"));
  Age(Chart, 10);
  EXPECT_EQ(PrepareSongChart(Song), ChartMade::Written);
  ReadSongDifficulties(Song, flags);
  EXPECT_TRUE(flags[Medium] && !flags[Easy]);

  // A chart of the generator's (no mark) stays, however old.
  const std::string generated = "<startbeginner>\n0\n500\n0\n----\n<stop>\n";
  WriteTextFile(Chart, generated);
  Age(Chart, 10);
  EXPECT_EQ(PrepareSongChart(Song), ChartMade::Kept);
  EXPECT_EQ(ReadTextFile(Chart), generated);
  EXPECT_FALSE(ChartInMemory(Song));
}

TEST(ChartOnDemand, BadStepFilesAndLooseSongsWriteNothing) {
  ScratchFolder scratch;
  WriteTextFile("Music/Pack/S/t.ogg", "");
  WriteTextFile("Music/a.mp3", "");
  WriteTextFile("Music/a.sm", StepFile("Easy"));  // loose songs keep the import screen
  for (const std::string& junk : {std::string("junk \xFF;;#:"), StepFile("Edit"), std::string("#NOTES:\n pump-single:\n")}) {
    WriteTextFile(Steps, junk);
    EXPECT_EQ(PrepareSongChart(Song), ChartMade::Kept);
    EXPECT_FALSE(fs::exists(Chart));
  }
  fs::remove(Steps);
  fs::create_directory(Steps);  // a folder under a step file's name
  EXPECT_EQ(PrepareSongChart(Song), ChartMade::Kept);
  EXPECT_EQ(PrepareSongChart("a.mp3"), ChartMade::Kept);
  EXPECT_FALSE(fs::exists("Music/a.mp3.tq") || fs::exists(Chart));
}

// A song's numbers, for the song list as for the difficulty select: the step file's, else estimated.
TEST(ChartOnDemand, ChartMetersOfASong) {
  ScratchFolder scratch;
  WriteTextFile(Chart, "<starteasy> 0 0 0 ---- <stop> <meter> 7 <stop> <starthard> 1 0 0 ---- <stop>");
  std::array<ChartMeter, DifficultyCount> meters = ChartMeters(Song);
  EXPECT_EQ(MeterLabel(meters[Easy]) + " " + MeterLabel(meters[Hard]), "7 ~1");
  EXPECT_EQ(meters[Medium].number, 0);
  EXPECT_EQ(ChartMeters("Pack/S/none.ogg")[Easy].number, 0);
}
