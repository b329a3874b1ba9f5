#include "process/storage.h"

#include <atomic>
#include <cstdlib>
#include <limits>

#include "platform/memory.h"

namespace process {
namespace {

// Bytes held by the arrays of every thread now, checked against what the machine had free at
// the first request: with overcommitted memory an allocation can succeed and still cost the
// process its life when the pages are touched, so the budget is enforced here.
std::atomic<std::uint64_t> bytes_in_use{0};

std::uint64_t budget() {
  static const std::uint64_t bytes = platform::available_memory_bytes();
  return bytes;
}

// Takes the bytes of `count` reals in place of those of `already_held`, or refuses them.
std::uint64_t reserve_bytes(std::int64_t count, std::int64_t already_held) {
  constexpr auto kMaxCount = static_cast<std::int64_t>(std::numeric_limits<std::size_t>::max() / 8);
  if (count < 0 || count > kMaxCount) throw StorageUnavailable{};
  const std::uint64_t bytes = static_cast<std::uint64_t>(count) * 8;
  const std::uint64_t held = static_cast<std::uint64_t>(already_held) * 8;
  std::uint64_t in_use = bytes_in_use.load();
  do {
    if (in_use - held + bytes > budget()) throw StorageUnavailable{};
  } while (!bytes_in_use.compare_exchange_weak(in_use, in_use - held + bytes));
  return bytes;
}

void give_back_bytes(std::int64_t count) { bytes_in_use -= static_cast<std::uint64_t>(count) * 8; }

}  // namespace

double* create_reals(std::int64_t count) {
  reserve_bytes(count, 0);
  // calloc: large blocks come as fresh zero pages, so zeroing costs nothing up front.
  void* storage = std::calloc(count > 0 ? static_cast<std::size_t>(count) : 1, sizeof(double));
  if (storage == nullptr) {
    give_back_bytes(count);
    throw StorageUnavailable{};
  }
  return static_cast<double*>(storage);
}

double* grow_reals(double* reals, std::int64_t old_count, std::int64_t new_count) {
  const std::uint64_t bytes = reserve_bytes(new_count, old_count);
  void* storage = std::realloc(reals, bytes > 0 ? bytes : 1);
  if (storage == nullptr) {
    bytes_in_use += static_cast<std::uint64_t>(old_count) * 8;
    give_back_bytes(new_count);
    throw StorageUnavailable{};
  }
  return static_cast<double*>(storage);
}

void release_reals(double* reals, std::int64_t count) {
  if (reals == nullptr) return;
  std::free(reals);
  give_back_bytes(count);
}

}  // namespace process
