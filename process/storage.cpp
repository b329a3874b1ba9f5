#include "process/storage.h"

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <limits>

#include "platform/memory.h"
#include "platform/pages.h"

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

// Arrays of 128 KiB and more (the node arrays of a mesh past 16 000 nodes, the work array, long
// norm histories) are taken from the system with all their pages in place at once: touched one
// page at a time by the computation, each page would cost a fault, and a large run would spend
// more on those than on its arithmetic. Smaller ones come from the C library's heap, whose
// blocks below this size are mostly pages already present, and which does not round an array of
// four reals up to a page.
constexpr std::uint64_t kWholePagesFrom = 128 * 1024;

bool in_whole_pages(std::int64_t count) {
  return static_cast<std::uint64_t>(count) * 8 >= kWholePagesFrom;
}

// Whether the storage in use leaves room in the budget for another block of `bytes`. A block that
// does not is not populated: it is in practice the first of a mesh's arrays that cannot all be
// had, and populating it would take the machine's free memory, and seconds, only for the next
// array to be refused.
bool worth_populating(std::uint64_t bytes) { return bytes_in_use.load() + bytes <= budget(); }

// Zeroed storage for `count` reals (0 <= count, within the budget), or nullptr when refused.
void* obtain(std::int64_t count) {
  const auto bytes = static_cast<std::size_t>(count) * 8;
  if (in_whole_pages(count)) return platform::obtain_pages(bytes, worth_populating(bytes));
  return std::calloc(count > 0 ? static_cast<std::size_t>(count) : 1, sizeof(double));
}

void give_back(double* reals, std::int64_t count) {
  if (in_whole_pages(count)) {
    platform::release_pages(reals, static_cast<std::size_t>(count) * 8);
  } else {
    std::free(reals);
  }
}

}  // namespace

double* create_reals(std::int64_t count) {
  reserve_bytes(count, 0);
  void* storage = obtain(count);
  if (storage == nullptr) {
    give_back_bytes(count);
    throw StorageUnavailable{};
  }
  return static_cast<double*>(storage);
}

double* grow_reals(double* reals, std::int64_t old_count, std::int64_t new_count) {
  const std::uint64_t bytes = reserve_bytes(new_count, old_count);
  const auto old_bytes = static_cast<std::size_t>(old_count) * 8;
  void* storage = nullptr;
  if (in_whole_pages(old_count)) {
    storage = platform::grow_pages(reals, old_bytes, bytes);
  } else if (in_whole_pages(new_count)) {
    storage = obtain(new_count);
    if (storage != nullptr) {
      std::memcpy(storage, reals, old_bytes);
      std::free(reals);
    }
  } else {
    storage = std::realloc(reals, bytes > 0 ? bytes : 1);
  }
  if (storage == nullptr) {
    bytes_in_use += old_bytes;
    give_back_bytes(new_count);
    throw StorageUnavailable{};
  }
  return static_cast<double*>(storage);
}

void release_reals(double* reals, std::int64_t count) {
  if (reals == nullptr) return;
  give_back(reals, count);
  give_back_bytes(count);
}

}  // namespace process
