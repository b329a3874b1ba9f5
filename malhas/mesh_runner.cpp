#include "malhas/mesh_runner.h"

#include <algorithm>
#include <atomic>
#include <mutex>
#include <numeric>
#include <system_error>
#include <thread>

namespace malhas {

std::vector<MeshOutcome> compute_meshes(const std::vector<MeshJob>& jobs, unsigned threads,
                                        const MeshComputation& compute,
                                        const ProgressReport& progress) {
  std::vector<std::size_t> largest_first(jobs.size());
  std::iota(largest_first.begin(), largest_first.end(), std::size_t{0});
  std::stable_sort(largest_first.begin(), largest_first.end(),
                   [&](std::size_t a, std::size_t b) { return jobs[a].N > jobs[b].N; });

  std::vector<MeshOutcome> outcomes(jobs.size());
  std::atomic<std::size_t> next{0};
  std::mutex progress_lock;
  std::size_t done = 0;
  // Each outcome is written by the one worker that took its job.
  const auto work = [&] {
    for (std::size_t taken; (taken = next++) < jobs.size();) {
      const std::size_t job = largest_first[taken];
      outcomes[job] = compute(jobs[job]);
      const std::lock_guard<std::mutex> hold(progress_lock);
      progress(++done, jobs.size());
    }
  };
  const unsigned workers = std::max(1u, std::min<unsigned>(threads, static_cast<unsigned>(jobs.size())));
  std::vector<std::thread> pool;
  for (unsigned w = 1; w < workers; ++w) {
    try {
      pool.emplace_back(work);
    } catch (const std::system_error&) {
      break;  // no more threads to be had: the ones running take every job between them
    }
  }
  work();  // the calling thread is one of the workers
  for (std::thread& t : pool) t.join();
  return outcomes;
}

}  // namespace malhas
