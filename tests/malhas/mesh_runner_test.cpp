// The scheduling of a study's meshes: a mesh refused storage while others held it is computed
// again alone, so the outcome does not depend on the number of threads.
#include "malhas/mesh_runner.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <new>
#include <thread>

namespace malhas {
namespace {

// Storage of `capacity` units, each mesh holding N units while it computes for a moment; a mesh
// that finds too few units left is refused, as fin_mesh marks it.
std::vector<MeshOutcome> run_with_storage(unsigned threads, int capacity,
                                          const std::vector<MeshJob>& jobs) {
  std::atomic<int> in_use{0};
  return compute_meshes(
      jobs, threads,
      [&](const MeshJob& job) {
        MeshOutcome outcome;
        outcome.N = job.N;
        if (in_use += job.N; in_use > capacity) {
          outcome.failure = "sem memória";
          outcome.lacked_storage = true;
        } else {
          std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        in_use -= job.N;
        return outcome;
      },
      [](std::size_t, std::size_t) {});
}

TEST(MeshRunner, MeshRefusedStorageBesideOthersIsComputedAlone) {
  constexpr fin::TipScheme kUds = fin::TipScheme::Uds;
  const std::vector<MeshJob> jobs = {{kUds, 3}, {kUds, 4}, {kUds, 5}, {kUds, 6}, {kUds, 9}};
  for (unsigned threads : {1u, 4u}) {
    const std::vector<MeshOutcome> outcomes = run_with_storage(threads, 8, jobs);
    for (std::size_t j = 0; j < jobs.size(); ++j) {
      // 9 units never fit; every other mesh fits alone.
      EXPECT_EQ(outcomes[j].failed(), jobs[j].N == 9) << threads << " threads, N = " << jobs[j].N;
    }
  }
}

// A lack of memory outside a mesh's arrays, on any worker, reaches the caller (which tells the
// user) instead of ending the process on the worker's thread.
TEST(MeshRunner, ExceptionOnAWorkerReachesTheCaller) {
  std::vector<MeshJob> jobs;
  for (std::int32_t N = 3; N < 40; ++N) jobs.push_back({fin::TipScheme::Uds, N});
  const auto fail_on_a_worker = [caller = std::this_thread::get_id()](const MeshJob& job) {
    if (std::this_thread::get_id() != caller) throw std::bad_alloc();
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
    MeshOutcome outcome;
    outcome.N = job.N;
    return outcome;
  };
  EXPECT_THROW(compute_meshes(jobs, 4, fail_on_a_worker, [](std::size_t, std::size_t) {}),
               std::bad_alloc);
}

}  // namespace
}  // namespace malhas
