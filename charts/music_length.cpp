// The preview's span of a song's music.
#include "charts/music_length.h"

#include "charts/music_file.h"
#include "charts/step_head.h"

SampleSpan SampleSpanOf(const std::string& musicPath, const std::string& stepPath) {
  SampleSpan span;
  const StepHead* head = stepPath.empty() ? nullptr : &ReadStepHead(stepPath);
  if (head != nullptr && head->sampleLength > 0) span.length = head->sampleLength;
  if (head != nullptr && head->sampleStart >= 0)
    span.start = head->sampleStart;
  else
    span.start = 0.4 * MusicSeconds(musicPath);
  return span;
}
