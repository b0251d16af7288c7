// The worker decodes (the first half of the progress) and analyses (the
// second half), reading and writing only its job; the game's thread takes
// the result when the job says it is done.
#include "charts/song_analysis.h"

#include <atomic>
#include <map>
#include <memory>
#include <thread>

#include "charts/music_decode.h"

namespace {

struct Job {
  std::string song, path;
  std::atomic<bool> cancel{false}, done{false};
  std::atomic<float> decoded{0}, analysed{0};
  MusicAnalysis result;
};

void Work(const std::shared_ptr<Job>& job) {
  DecodedMusic music;
  std::string why;
  if (DecodeMusicFile(job->path, music, why, &job->cancel, &job->decoded))
    job->result = AnalyseMusic(music.samples.data(), music.samples.size(), music.rate, &job->cancel, &job->analysed);
  job->done.store(true, std::memory_order_release);
}

// The running job and its thread; the game's end stops and joins it.
struct Worker {
  std::shared_ptr<Job> job;
  std::thread thread;
  ~Worker() { Stop(); }
  void Stop() {
    if (job) job->cancel = true;
    if (thread.joinable()) thread.join();
    job.reset();
  }
};

Worker Running;
std::map<std::string, MusicAnalysis> Kept;

// Keeps a finished job's result (a cancelled one is dropped, to be redone).
void TakeFinished() {
  if (!Running.job || !Running.job->done.load(std::memory_order_acquire)) return;
  if (!Running.job->cancel) Kept[Running.job->song] = std::move(Running.job->result);
  Running.Stop();
}

}  // namespace

void StartSongAnalysis(const std::string& song, const std::string& musicPath) {
  TakeFinished();
  if (Kept.count(song) || (Running.job && Running.job->song == song)) return;
  Running.Stop();
  Running.job = std::make_shared<Job>();
  Running.job->song = song;
  Running.job->path = musicPath;
  Running.thread = std::thread(Work, Running.job);
}

bool SongAnalysing(const std::string& song) {
  TakeFinished();
  return Running.job && Running.job->song == song;
}

float SongAnalysisProgress() {
  if (!Running.job) return 1;
  return 0.5f * (Running.job->decoded.load(std::memory_order_relaxed) + Running.job->analysed.load(std::memory_order_relaxed));
}

void CancelSongAnalysis() {
  TakeFinished();
  Running.Stop();
}

const MusicAnalysis* AnalysedSong(const std::string& song) {
  TakeFinished();
  auto found = Kept.find(song);
  return found == Kept.end() ? nullptr : &found->second;
}
