// Reading a song's artist, tempo, length and difficulty numbers.
#include "charts/song_info.h"

#include "charts/song_analysis.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "charts/music_file.h"
#include "charts/safe_file.h"
#include "charts/song_analysis.h"
#include "charts/step_tags.h"
#include "charts/text.h"

namespace {

constexpr double FastestTempo = 10000;  // past this a tempo is a stop or a typo, not a tempo shown

// Where a tag stands from `from` on, its name (with '#' and ':') in any letter case; npos when nowhere.
size_t FindTag(std::string_view text, std::string_view upperTag, size_t from) {
  for (size_t at = text.find('#', from); at != std::string_view::npos; at = text.find('#', at + 1))
    if (SameLetters(text.substr(at, upperTag.size()), upperTag)) return at;
  return std::string_view::npos;
}

// A whole number at the start of the text after blanks; -1 for none.
int Number(std::string_view text) {
  text = Trimmed(text);
  int number = 0, digits = 0;
  for (; digits < static_cast<int>(text.size()) && digits < 6 && text[digits] >= '0' && text[digits] <= '9'; ++digits)
    number = number * 10 + (text[digits] - '0');
  return digits > 0 ? number : -1;
}

bool Tempo(std::string_view text, double& bpm) {
  std::string value(Trimmed(text));
  char* end = nullptr;
  bpm = std::strtod(value.c_str(), &end);
  return end != value.c_str() && bpm > 0 && bpm < FastestTempo;
}

// #DISPLAYBPM:150; or 90:180; ("*", a tempo that keeps changing, gives none).
bool DisplayRange(std::string_view value, double& low, double& high) {
  size_t colon = value.find(':');
  if (!Tempo(value.substr(0, colon), low)) return false;
  high = low;
  return colon == std::string_view::npos || Tempo(value.substr(colon + 1), high);
}

// #BPMS:0.000=120.000,64.000=240.000; the lowest and highest tempo.
void BpmsRange(std::string_view value, double& low, double& high) {
  while (!value.empty()) {
    size_t comma = value.find(',');
    std::string_view change = value.substr(0, comma);
    value.remove_prefix(comma == std::string_view::npos ? value.size() : comma + 1);
    size_t equals = change.find('=');
    double bpm = 0;
    if (equals == std::string_view::npos || !Tempo(change.substr(equals + 1), bpm)) continue;
    low = low > 0 ? std::min(low, bpm) : bpm;
    high = std::max(high, bpm);
  }
}

void ReadHead(std::string_view head, SongInfo& info) {
  double displayLow = 0, displayHigh = 0;
  bool display = false;
  for (const StepTag& tag : ReadStepTags(head)) {
    if (tag.name == "ARTIST") info.artist = Trimmed(tag.value);
    if (tag.name == "DISPLAYBPM") display = DisplayRange(tag.value, displayLow, displayHigh);
    if (tag.name == "BPMS") BpmsRange(tag.value, info.bpmLow, info.bpmHigh);
    if (tag.name == "BANNER") info.banner = Trimmed(tag.value);
  }
  if (display) info.bpmLow = std::min(displayLow, displayHigh), info.bpmHigh = std::max(displayLow, displayHigh);
}

bool DanceSingle(std::string_view type) { return SameLetters(Trimmed(type), "dance-single"); }

// .sm: #NOTES:type:description:difficulty:meter:radar:notes;
void SmMeters(std::string_view text, std::vector<int>& meters) {
  for (size_t at = FindTag(text, "#NOTES:", 0); at != std::string_view::npos; at = FindTag(text, "#NOTES:", at + 1)) {
    std::string_view fields = text.substr(at + 7, 1024);
    std::string_view type = fields.substr(0, fields.find(':'));
    size_t field = 0, from = 0;
    while (field < 3 && (from = fields.find(':', from)) != std::string_view::npos) ++from, ++field;
    if (field == 3 && DanceSingle(type) && Number(fields.substr(from)) >= 0) meters.push_back(Number(fields.substr(from)));
  }
}

// .ssc: each chart's #STEPSTYPE and #METER between its #NOTEDATA and its notes.
void SscMeters(std::string_view text, std::vector<int>& meters) {
  bool single = false;
  for (size_t at = text.find('#'); at != std::string_view::npos; at = text.find('#', at + 1)) {
    std::string_view rest = text.substr(at);
    if (SameLetters(rest.substr(0, 10), "#NOTEDATA:")) single = false;
    if (SameLetters(rest.substr(0, 11), "#STEPSTYPE:")) single = DanceSingle(rest.substr(11, rest.find(';') - 11));
    if (SameLetters(rest.substr(0, 7), "#METER:") && single && Number(rest.substr(7)) >= 0)
      meters.push_back(Number(rest.substr(7)));
  }
}

}  // namespace

std::vector<int> StepFileMeters(std::string_view text) {
  std::vector<int> meters;
  if (FindTag(text, "#NOTEDATA", 0) != std::string_view::npos)
    SscMeters(text, meters);
  else
    SmMeters(text, meters);
  std::sort(meters.begin(), meters.end());
  return meters;
}

SongInfo ReadSongInfo(const std::string& musicPath, const std::string& stepPath) {
  SongInfo info;
  info.seconds = MusicSeconds(musicPath);
  std::string text;
  if (stepPath.empty() || !ReadFileStart(stepPath, text)) return info;
  size_t notes = std::min(FindTag(text, "#NOTES", 0), FindTag(text, "#NOTEDATA", 0));
  ReadHead(std::string_view(text).substr(0, notes), info);
  info.meters = StepFileMeters(text);
  return info;
}

bool IsPictureName(std::string_view name) {
  for (std::string_view end : {".png", ".jpg", ".jpeg"})
    if (name.size() > end.size() && SameLetters(name.substr(name.size() - end.size()), end)) return true;
  return false;
}

bool NamedLikeABanner(std::string_view name) {
  std::string lower;
  for (char c : name.substr(0, name.rfind('.'))) lower += LowerAscii(c);
  return lower.find("banner") != std::string::npos || lower.ends_with("bn");
}

std::string BannerIn(std::string_view tag, const std::vector<std::string>& files) {
  tag = Trimmed(tag);
  tag = tag.substr(tag.find_last_of("/\\") + 1);
  for (const std::string& file : files)
    if (!tag.empty() && SameLetters(file, tag) && IsPictureName(file)) return file;
  for (const std::string& file : files)
    if (IsPictureName(file) && NamedLikeABanner(file)) return file;
  return "";
}

// What the chart maker found in the music this run, where it listened to the song.
double AnalysedTempo(const std::string& song) {
  const MusicAnalysis* found = AnalysedSong(song);
  return found != nullptr ? found->bpm : 0;
}

void TempoOf(const std::string& song, const SongInfo& info, double& low, double& high) {
  double analysed = AnalysedTempo(song);
  low = analysed > 0 ? analysed : info.bpmLow;
  high = analysed > 0 ? analysed : info.bpmHigh;
}

std::string TempoText(double low, double high) {
  long a = std::lround(low), b = std::lround(high);
  if (b <= 0) return "";
  return (a > 0 && a != b ? std::to_string(a) + "-" : std::string()) + std::to_string(b) + " BPM";
}

std::string LengthText(double seconds) {
  if (!(seconds > 0)) return "";
  long whole = std::lround(std::min(seconds, 359999.0));
  char text[48];
  std::snprintf(text, sizeof text, "%ld:%02ld", whole / 60, whole % 60);
  return text;
}

std::string MetersText(const std::vector<int>& meters) {
  std::string text;
  for (int meter : meters) text += (text.empty() ? "" : " ") + std::to_string(meter);
  return text;
}
