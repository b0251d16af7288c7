// Charts made on demand from the step files of song folders.
#include "charts/chart_on_demand.h"

#include <filesystem>
#include <sstream>

#include "charts/inside_music.h"
#include "charts/library.h"
#include "charts/packs.h"
#include "charts/safe_file.h"
#include "charts/step_import.h"

namespace {

std::string MemorySong;   // the song whose chart is held in memory; empty for none
std::string MemoryChart;  // its chart's text
std::string MemoryWhy;    // why it was not written

// Whether the chart on disk is to be (re)made: there is none, or it was made
// from the step file and the step file changed since.
bool ChartDue(const std::string& chartPath, const std::string& stepPath) {
  namespace fs = std::filesystem;
  std::error_code error;
  if (!fs::exists(fs::symlink_status(chartPath, error))) return true;
  if (!ChartMarkedFromStepFile(chartPath)) return false;
  auto chartTime = fs::last_write_time(chartPath, error);
  if (error) return false;
  auto stepTime = fs::last_write_time(stepPath, error);
  return !error && stepTime > chartTime;
}

}  // namespace

ChartMade PrepareSongChart(const std::string& song) {
  if (song != MemorySong) MemorySong.clear(), MemoryChart.clear(), MemoryWhy.clear();
  std::string step = StepFileOfSong(song);
  if (step.empty() || !ChartDue(ChartPath(song), MusicPath(step))) return ChartMade::Kept;
  std::vector<ChartSection> sections;
  // A step file that cannot be read or holds nothing to play leaves the chart as it was.
  if (!ReadStepFile(MusicPath(step), sections) || sections.empty()) return ChartMade::Kept;
  std::string text = ChartText(sections, true);
  std::string why = OutsideMusicLine;
  if (!SongFolderOutsideMusic(song) && ReplaceFile(ChartPath(song), text, why)) return ChartMade::Written;
  MemorySong = song;
  MemoryWhy = why;
  MemoryChart = std::move(text);
  return ChartMade::InMemory;
}

bool ChartInMemory(const std::string& song) { return !MemorySong.empty() && song == MemorySong; }

std::string WhyScoreIsNotKept(const std::string& song) {
  if (ChartInMemory(song)) return MemoryWhy;
  return SongFolderOutsideMusic(song) ? OutsideMusicLine : "";
}

void ReadSongDifficulties(const std::string& song, bool flags[DifficultyCount]) {
  if (!ChartInMemory(song)) return ReadChartDifficulties(ChartPath(song), flags);
  ChartTextDifficulties(MemoryChart, flags);
}

std::vector<Note> ReadSongSection(const std::string& song, int difficulty) {
  return ReadSongChart(song, difficulty).notes;
}

std::string SongChartText(const std::string& song) {
  if (ChartInMemory(song)) return MemoryChart;
  std::string text;
  ReadFileStart(ChartPath(song), text);
  return text;
}

ChartSection ReadSongChart(const std::string& song, int difficulty) {
  if (!ChartInMemory(song)) return ReadChart(ChartPath(song), difficulty);
  std::istringstream in(MemoryChart);
  return ReadChart(in, difficulty);
}
