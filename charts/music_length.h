// How long a song's music lasts, read from the file's own headers (no
// decoding), and the span of it that the song list plays as a preview.
#pragma once
#include <string>

// Seconds of music in an OGG (Vorbis or Opus: the last page's sample count)
// or an MP3 (the frame count of a Xing or Info header, else the first
// frame's bit rate over the file's size); 0 when the file tells nothing.
double MusicSeconds(const std::string& path);

// The preview: from #SAMPLESTART for #SAMPLELENGTH seconds of the step file
// (path empty for none); by default from 40 % of the music, for 12 seconds.
struct SampleSpan {
  double start = 0;
  double length = 12;
};
SampleSpan SampleSpanOf(const std::string& musicPath, const std::string& stepPath);
