// What the song list and the preview need from a step file's head: the
// title, the music it names and the preview's span. Read once per file and
// kept for the rest of the run, so a list of thousands of songs reads only
// the files it draws or searches, and each of them only once.
#pragma once
#include <string>

struct StepHead {
  std::string title;     // #TITLE, empty when none
  std::string subtitle;  // #SUBTITLE, empty when none
  std::string titleTranslit;     // #TITLETRANSLIT: the title in Latin letters, for a title in another script
  std::string subtitleTranslit;  // #SUBTITLETRANSLIT
  std::string music;     // #MUSIC: the music file's name, empty when none
  double sampleStart = -1;   // #SAMPLESTART in seconds; -1 when missing or not a number
  double sampleLength = -1;  // #SAMPLELENGTH in seconds; -1 when missing, not a number or not above 0
};

inline constexpr size_t StepHeadBytes = 64 * 1024;  // the tags before the notes are all in here

// The head of the step file at path (relative to the working directory).
// A file that is missing, not a regular file or unreadable gives an empty head.
const StepHead& ReadStepHead(const std::string& path);

// The song library's cache hands over the heads it kept, and has a changed
// step file read again.
void KeepStepHead(const std::string& path, const StepHead& head);
void ForgetStepHead(const std::string& path);
