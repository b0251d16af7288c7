// Nothing is written outside Music/, and a save that fails says the failed call's own reason.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "charts/chart_on_demand.h"
#include "charts/inside_music.h"
#include "charts/score_file.h"
#include "kit/input.h"
#include "screens/chart_import.h"
#include "screens/replace_prompt.h"
#include "screens/results.h"
#include "screens/screen_state.h"
#include "test_support.h"

namespace fs = std::filesystem;

namespace {

const std::string Steps = "#BPMS:0=120;\n#NOTES:\n dance-single:\n :\n Easy:\n 1:\n 0:\n1000\n;\n";

// The song's chart is made in memory and its score is not kept, with why.
std::string NoticeAfterPlaying(const std::string& song) {
  EXPECT_EQ(PrepareSongChart(song), ChartMade::InMemory) << song;
  SelectedSong = song;
  SelectedDifficulty = Easy;
  RecordBest(80);
  return ResultsNotice;
}

}  // namespace

TEST(OutsideMusic, ALinkedSongFolderPlaysFromMemoryAndNothingIsWrittenThere) {
  ScratchFolder scratch;
  OpenTestScreen();
  WriteTextFile("away/x/track.ogg", "");
  WriteTextFile("away/x/track.ssc", Steps);
  WriteTextFile("Music/steps.sm", Steps);
  fs::create_directories("Music/Pack");
  fs::create_symlink(fs::absolute("away/x"), "Music/Pack/Other");
  const std::string song = "Pack/Other/track.ogg";
  EXPECT_EQ(NoticeAfterPlaying(song), "score not kept: this song's folder lies outside Music/");
  std::string why;
  EXPECT_FALSE(ReplaceChart(song, "<starteasy>\n0\n0\n0\n----\n<stop>\n", why));
  EXPECT_EQ(why, OutsideMusicLine);
  Screen = ScreenId::ChartImport;  // the import's first row is Music/steps.sm
  ImportListScroll = 0;
  for (int y : {0, 95}) {
    ResetInput(320, y);
    MouseButtons[1] = KeyState::Pressed;
    ScreenChanged = y == 0;
    RunChartImport();
  }
  ResetInput();
  ScreenChanged = false;
  EXPECT_EQ(ImportNotice, OutsideMusicLine);
  EXPECT_EQ(std::distance(fs::directory_iterator("away/x"), {}), 2) << "nothing beside the linked song";
  // A folder linked within Music/ is inside it.
  fs::create_symlink(fs::absolute("Music/Pack/In"), "Music/Pack/Link");
  fs::create_directories("Music/Pack/In");
  EXPECT_FALSE(SongFolderOutsideMusic("Pack/Link/t.ogg"));
}

// A chart name too long for the file system: not "read-only", but the rename's own reason.
TEST(OutsideMusic, AFailedChartWriteGivesItsOwnReason) {
  ScratchFolder scratch;
  const std::string song = "Pack/S/" + std::string(250, 'a') + ".ogg";
  WriteTextFile("Music/" + song, "");
  WriteTextFile("Music/Pack/S/t.sm", Steps);
  EXPECT_EQ(NoticeAfterPlaying(song), "score not kept: file name too long");
}
