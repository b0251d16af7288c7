// What the song list tells about a song before it is chosen: its artist, its
// tempo, how long its music lasts and the difficulty numbers of its charts.
#pragma once
#include <string>
#include <string_view>
#include <vector>

struct SongInfo {
  std::string artist;   // #ARTIST, empty when none
  double bpmLow = 0;    // the tempo's range: #DISPLAYBPM where it gives numbers, else the
  double bpmHigh = 0;   // lowest and highest of #BPMS; 0 when the step file gives none
  double seconds = 0;   // of the music, from its headers; 0 when unknown
  std::vector<int> meters;  // the difficulty numbers of its dance-single charts, lowest first
  std::string banner;       // its banner picture below Music/, empty for none (see BannerIn)
  bool operator==(const SongInfo&) const = default;
};

// The song's info from its music and step file (paths relative to the
// working directory; an empty step path for none). A missing or broken
// file gives what could be read, and zeros for the rest. The banner is the
// #BANNER tag as written, for BannerIn.
SongInfo ReadSongInfo(const std::string& musicPath, const std::string& stepPath);

// Of a song folder's file names, its banner: the picture #BANNER names
// (given as `tag`; its last part, letter case aside), else the first PNG or
// JPEG named like a banner ("banner.png", "Song-bn.jpg"); empty for none.
std::string BannerIn(std::string_view tag, const std::vector<std::string>& files);

// The difficulty numbers of a step file's text: #METER of each .ssc chart,
// the fourth field of each .sm #NOTES; dance-single charts only. What the
// library keeps and sorts by, read with the rest of its scan; the panel of
// the lit song shows the numbers of charts/chart_meter.h, as the difficulty
// select does.
std::vector<int> StepFileMeters(std::string_view text);

// The tempo the music analysis found for a song (below Music/), or 0 for a
// song it has not analysed. Where it has, that tempo stands for the step file's.
double AnalysedTempo(const std::string& song);

// The tempo shown and sorted by: the analysed one, else the step file's range.
void TempoOf(const std::string& song, const SongInfo& info, double& low, double& high);

// The panel's lines: "150 BPM" or "90-180 BPM" (empty for none), "1:45"
// (empty for 0) and "3 5 8" (empty for no charts).
std::string TempoText(double low, double high);
std::string LengthText(double seconds);
std::string MetersText(const std::vector<int>& meters);
