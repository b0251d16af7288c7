// A long job of the music analysis (decoding, then listening), run on a
// worker: it stops when asked and says how far it has come.
#pragma once
#include <atomic>

struct JobControl {
  const std::atomic<bool>* cancel;  // set by the game's thread to stop the job; may be null
  std::atomic<float>* progress;     // 0 to 1, for the progress bar; may be null
  bool Cancelled() const { return cancel && cancel->load(std::memory_order_relaxed); }
  void Report(double share) const {
    if (progress) progress->store(static_cast<float>(share), std::memory_order_relaxed);
  }
};
