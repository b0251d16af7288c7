// The span of a song's music that the song list plays as a preview.
#pragma once
#include <string>

// The preview: from #SAMPLESTART for #SAMPLELENGTH seconds of the step file
// (path empty for none); by default from 40 % of the music, for 12 seconds.
struct SampleSpan {
  double start = 0;
  double length = 12;
};
SampleSpan SampleSpanOf(const std::string& musicPath, const std::string& stepPath);
