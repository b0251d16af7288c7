// StepMania files that are not what they seem: tens of megabytes of rows,
// one endless line, an endless tempo list. The import runs in bounded memory,
// writes a chart every reader takes, and keeps the song's chart when it has none.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <sstream>
#include <string>

#include "charts/chart_file.h"
#include "charts/library.h"
#include "charts/score_file.h"
#include "charts/step_import.h"
#include "game/play_state.h"
#include "game/song_start.h"
#include "app/app_support.h"
#include "screens/chart_import.h"
#include "screens/difficulty_select.h"
#include "screens/screen_state.h"
#include "test_support.h"

namespace {

namespace fs = std::filesystem;

const std::string OldChart = "<starthard>\n1\n1000\n0\n----\n<stop>\n";
const std::string Header = "#OFFSET:0;\n#BPMS:0=120;\n#NOTES:\n dance-single:\n :\n Easy:\n 1:\n 0:\n";

// Writes the head, then the piece again and again up to about `bytes`, then the tail.
void WriteRepeated(const std::string& path, const std::string& head, const std::string& piece,
                   size_t bytes, const std::string& tail) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  ASSERT_NE(file, nullptr);
  std::fputs(head.c_str(), file);
  std::string block;
  while (block.size() < 1000 * 1000) block += piece;
  for (size_t written = 0; written < bytes; written += block.size())
    ASSERT_EQ(std::fwrite(block.data(), 1, block.size(), file), block.size());
  std::fputs(tail.c_str(), file);
  std::fclose(file);
}

struct BadStepFiles : testing::Test {
  ScratchFolder scratch;
  void SetUp() override {
    OpenTestScreen();
    NoteList.clear();
    WriteTextFile("Music/Song.mp3", "");
    WriteTextFile("Music/Song.mp3.tq", OldChart);
    SelectedSong = "Song.mp3";
  }
  void TearDown() override {
    NoteList.clear();
    Screen = ScreenId::Title;
  }

  // Every section of the chart holds 1 to 1000 notes in the four columns.
  static int SectionsOfChart(const std::string& chart) {
    std::istringstream in(chart);
    int sections = 0, notes = 0;
    for (std::string token; in >> token;) {
      if (token.starts_with("<start")) {
        ++sections;
        notes = 0;
      } else if (token == "<stop>") {
        EXPECT_GE(notes, 1);
        EXPECT_LE(notes, 1000);
      } else if (token == "<mines>" || token == "<meter>") {
        while (in >> token && token != "<stop>") continue;  // what belongs to the section before
      } else {
        int column = std::stoi(token);
        EXPECT_GE(column, 0);
        EXPECT_LE(column, 3);
        in >> token >> token >> token;
        EXPECT_TRUE(token.starts_with("----")) << token;
        ++notes;
      }
    }
    return sections;
  }
};

TEST_F(BadStepFiles, TensOfMegabytesOfRowsImportInBoundedMemory) {
  // 3 million rows (15 MB, under the 16 MB a step file may hold), a measure of
  // four after another: steps, holds and their ends.
  WriteRepeated("Music/Rows.sm", Header, "1111\n0000\n2002\n3003\n,\n", 15 * 1000 * 1000, ";\n");
  long kb = PeakGrowthKb([] { ImportStepFile(MusicPath("Rows.sm"), ChartPath(SelectedSong)); });
  EXPECT_LT(kb, 48 * 1024) << "the import held a large part of the file";
  std::string chart = ReadTextFile("Music/Song.mp3.tq");
  EXPECT_EQ(SectionsOfChart(chart), 1);
  std::istringstream in(chart);
  NoteList = ReadChartSection(in, Easy);
  EXPECT_EQ(NoteList.size(), 989u);  // of the 1000 the block keeps, as many as a song plays
}

TEST_F(BadStepFiles, OneEndlessLineImportsNothing) {
  WriteRepeated("Music/Line.sm", Header, "1000", 10 * 1000 * 1000, "\n;\n");
  long kb = PeakGrowthKb([] { ImportStepFile(MusicPath("Line.sm"), ChartPath(SelectedSong)); });
  EXPECT_LT(kb, 48 * 1024);
  // The 999-character pieces of the line are no rows: the block has no notes,
  // so the file has no chart and the song keeps its own.
  EXPECT_EQ(ReadTextFile("Music/Song.mp3.tq"), OldChart);
}

TEST_F(BadStepFiles, AnEndlessTempoListImportsInBoundedMemory) {
  WriteRepeated("Music/Tempo.sm", "#OFFSET:0;\n#BPMS:", "1.5=130,\n2.25=-4,\n", 10 * 1000 * 1000,
                "0=120;\n#NOTES:\n dance-single:\n :\n Hard:\n 1:\n 0:\n1000\n0100\n0010\n0001\n;\n");
  long kb = PeakGrowthKb([] { ImportStepFile(MusicPath("Tempo.sm"), ChartPath(SelectedSong)); });
  EXPECT_LT(kb, 48 * 1024);
  std::string chart = ReadTextFile("Music/Song.mp3.tq");
  EXPECT_EQ(SectionsOfChart(chart), 1);
  bool flags[DifficultyCount];
  WriteTextFile("check.tq", chart);
  ReadChartDifficulties("check.tq", flags);
  EXPECT_TRUE(flags[Hard]);
}

}  // namespace
