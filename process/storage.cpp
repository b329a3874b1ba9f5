#include "process/storage.h"

#include <atomic>
#include <cstdlib>
#include <limits>
#include <vector>

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
// norm histories) have all their pages put in place before the computation writes them: touched
// one page at a time, each page would cost a fault, and a large run would spend more on those
// than on its arithmetic. They still come from the C library, whose heap hands the pages of
// arrays given back to the next ones (the meshes of a study follow one another), and whose
// blocks below this size are mostly pages already present.
constexpr std::uint64_t kPopulatedFrom = 128 * 1024;

// Whether the storage in use leaves room in the budget for another block of `bytes`. A block
// created alone that does not is not populated: storage is then so short that the next request
// (the next array of a study's other mesh, the next growth) is about to be refused, and
// populating would take the machine's free memory, and seconds, for nothing.
bool worth_populating(std::uint64_t bytes) {
  return bytes >= kPopulatedFrom && bytes_in_use.load() + bytes <= budget();
}

// Zeroed storage for `count` reals (0 <= count, within the budget), or nullptr when refused.
void* obtain(std::int64_t count, Pages pages, unsigned threads) {
  const auto bytes = static_cast<std::size_t>(count) * 8;
  void* storage = std::calloc(count > 0 ? static_cast<std::size_t>(count) : 1, sizeof(double));
  if (storage != nullptr && pages == Pages::at_creation && worth_populating(bytes) &&
      !platform::populate_pages(storage, bytes, threads)) {
    std::free(storage);
    return nullptr;
  }
  return storage;
}

}  // namespace

double* create_reals(std::int64_t count, Pages pages, unsigned threads) {
  reserve_bytes(count, 0);
  void* storage = obtain(count, pages, threads);
  if (storage == nullptr) {
    give_back_bytes(count);
    throw StorageUnavailable{};
  }
  return static_cast<double*>(storage);
}

void grow_reals(double*& reals, std::int64_t old_count, std::int64_t new_count, unsigned threads) {
  const std::uint64_t bytes = reserve_bytes(new_count, old_count);
  const auto old_bytes = static_cast<std::size_t>(old_count) * 8;
  // realloc grows a large block by remapping its pages, without copying the values or holding
  // them twice; only the pages it adds are populated.
  void* storage = std::realloc(reals, bytes > 0 ? bytes : 1);
  if (storage != nullptr && worth_populating(bytes) &&
      !platform::populate_pages(static_cast<char*>(storage) + old_bytes, bytes - old_bytes,
                                threads)) {
    // Refused: the array goes back to its old size, keeping its values wherever realloc put
    // them.
    void* shrunk = std::realloc(storage, old_bytes > 0 ? old_bytes : 1);
    reals = static_cast<double*>(shrunk != nullptr ? shrunk : storage);
    storage = nullptr;
  }
  if (storage == nullptr) {
    bytes_in_use += old_bytes;
    give_back_bytes(new_count);
    throw StorageUnavailable{};
  }
  reals = static_cast<double*>(storage);
}

void populate_reals_together(const Reals* arrays, std::size_t count, unsigned threads) {
  std::vector<platform::PageBlock> blocks;
  for (std::size_t i = 0; i < count; ++i) {
    const auto bytes = static_cast<std::size_t>(arrays[i].count) * 8;
    if (bytes >= kPopulatedFrom) blocks.push_back({arrays[i].reals, bytes});
  }
  if (!platform::populate_pages(blocks.data(), blocks.size(), threads)) throw StorageUnavailable{};
}

void populate_reals(double* reals, std::int64_t count, unsigned threads) {
  const auto bytes = static_cast<std::size_t>(count) * 8;
  if (bytes >= kPopulatedFrom) platform::populate_pages(reals, bytes, threads);
}

void release_reals(double* reals, std::int64_t count) {
  if (reals == nullptr) return;
  std::free(reals);
  give_back_bytes(count);
}

}  // namespace process
