#include "process/storage.h"

#include <cstdlib>
#include <limits>

#include "platform/memory.h"
#include "process/run_time_error.h"

namespace process {
namespace {

constexpr int kNoStorage = 6772;

// Bytes held by the arrays now, checked against what the machine had free at the first request:
// with overcommitted memory an allocation can succeed and still cost the process its life when
// the pages are touched, so the budget is enforced here.
std::uint64_t bytes_in_use = 0;

std::uint64_t budget() {
  static const std::uint64_t bytes = platform::available_memory_bytes();
  return bytes;
}

// The byte count of `count` reals, or ends the run when it cannot be had.
std::uint64_t checked_bytes(std::int64_t count, std::int64_t already_held) {
  constexpr auto kMaxCount = static_cast<std::int64_t>(std::numeric_limits<std::size_t>::max() / 8);
  if (count < 0 || count > kMaxCount) raise_run_time_error(kNoStorage, Operation::Storage);
  const std::uint64_t bytes = static_cast<std::uint64_t>(count) * 8;
  const std::uint64_t in_use_after = bytes_in_use - static_cast<std::uint64_t>(already_held) * 8 + bytes;
  if (in_use_after > budget()) raise_run_time_error(kNoStorage, Operation::Storage);
  return bytes;
}

}  // namespace

double* create_reals(std::int64_t count) {
  const std::uint64_t bytes = checked_bytes(count, 0);
  // calloc: large blocks come as fresh zero pages, so zeroing costs nothing up front.
  void* storage = std::calloc(count > 0 ? static_cast<std::size_t>(count) : 1, sizeof(double));
  if (storage == nullptr) raise_run_time_error(kNoStorage, Operation::Storage);
  bytes_in_use += bytes;
  return static_cast<double*>(storage);
}

double* grow_reals(double* reals, std::int64_t old_count, std::int64_t new_count) {
  const std::uint64_t bytes = checked_bytes(new_count, old_count);
  void* storage = std::realloc(reals, bytes > 0 ? bytes : 1);
  if (storage == nullptr) raise_run_time_error(kNoStorage, Operation::Storage);
  bytes_in_use = bytes_in_use - static_cast<std::uint64_t>(old_count) * 8 + bytes;
  return static_cast<double*>(storage);
}

void release_reals(double* reals, std::int64_t count) {
  if (reals == nullptr) return;
  std::free(reals);
  bytes_in_use -= static_cast<std::uint64_t>(count) * 8;
}

}  // namespace process
