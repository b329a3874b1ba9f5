#include "malhas/mesh_runner.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <mutex>
#include <numeric>
#include <system_error>
#include <thread>

namespace malhas {
namespace {

// The worker threads, joined when the pool goes out of scope, also when the calling thread's
// own share of the work ends in an exception: a thread still joinable at its destruction would
// end the process.
class JoinedThreads {
 public:
  JoinedThreads() = default;
  JoinedThreads(const JoinedThreads&) = delete;
  JoinedThreads& operator=(const JoinedThreads&) = delete;
  ~JoinedThreads() { join(); }
  void join() {
    for (std::thread& t : threads_) {
      if (t.joinable()) t.join();
    }
  }
  template <typename Work>
  void start(Work& work) {
    threads_.emplace_back(work);
  }

 private:
  std::vector<std::thread> threads_;
};

}  // namespace

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
  const auto report_done = [&] {
    const std::lock_guard<std::mutex> hold(progress_lock);
    progress(++done, jobs.size());
  };
  // An exception on a worker (a lack of memory outside the mesh's own arrays) would end the
  // process there: the first one stops every worker from taking more jobs and is thrown again
  // on the calling thread once all are joined.
  std::exception_ptr failure;
  std::mutex failure_lock;
  const auto work = [&] {
    try {
      for (std::size_t taken; (taken = next++) < jobs.size();) {
        const std::size_t job = largest_first[taken];
        outcomes[job] = compute(jobs[job]);
        if (!outcomes[job].lacked_storage) report_done();
      }
    } catch (...) {
      const std::lock_guard<std::mutex> hold(failure_lock);
      if (!failure) failure = std::current_exception();
      next = jobs.size();
    }
  };
  const unsigned workers = std::max(1u, std::min<unsigned>(threads, static_cast<unsigned>(jobs.size())));
  JoinedThreads pool;
  for (unsigned w = 1; w < workers; ++w) {
    try {
      pool.start(work);
    } catch (const std::system_error&) {
      break;  // no more threads to be had: the ones running take every job between them
    }
  }
  work();  // the calling thread is one of the workers
  pool.join();  // before the outcomes are handed on
  if (failure) std::rethrow_exception(failure);
  for (std::size_t job : largest_first) {
    if (!outcomes[job].lacked_storage) continue;
    outcomes[job] = compute(jobs[job]);
    report_done();
  }
  return outcomes;
}

}  // namespace malhas
