#include "fin/arrays.h"

#include <utility>
#include <vector>

#include "fin/real.h"
#include "process/storage.h"

namespace fin {
namespace {

// The storage's 8-byte reals that hold one Real.
template <typename Real>
constexpr std::int64_t kSlots = sizeof(Real) / sizeof(double);
static_assert(sizeof(double) * 2 == sizeof(Quad));

template <typename Real>
double* reals(Real* storage) {
  return reinterpret_cast<double*>(storage);
}

template <typename Real>
Real* create(std::int64_t count, process::Pages pages, unsigned threads) {
  return reinterpret_cast<Real*>(process::create_reals(count * kSlots<Real>, pages, threads));
}

template <typename Real>
void grow(Real*& reals, std::int64_t old_count, std::int64_t new_count, unsigned threads) {
  double* storage = fin::reals(reals);
  try {
    process::grow_reals(storage, old_count * kSlots<Real>, new_count * kSlots<Real>, threads);
  } catch (const process::StorageUnavailable&) {
    reals = reinterpret_cast<Real*>(storage);  // still the array's values, at its old size
    throw;
  }
  reals = reinterpret_cast<Real*>(storage);
}

template <typename Real>
void release(Real* reals, std::int64_t count) {
  process::release_reals(fin::reals(reals), count * kSlots<Real>);
}

}  // namespace

template <typename Real>
NodeArray<Real>::NodeArray(NodeArray&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)), size_(std::exchange(other.size_, 0)) {}

template <typename Real>
NodeArray<Real>& NodeArray<Real>::operator=(NodeArray&& other) noexcept {
  if (this != &other) {
    release();
    data_ = std::exchange(other.data_, nullptr);
    size_ = std::exchange(other.size_, 0);
  }
  return *this;
}

template <typename Real>
void NodeArray<Real>::create(std::int32_t n, process::Pages pages, unsigned threads) {
  release();
  const std::int64_t count = n > 0 ? std::int64_t{n} : 0;
  data_ = fin::create<Real>(count + 1, pages, threads);  // one more: slot 0 keeps indices 1-based
  size_ = static_cast<std::int32_t>(count);
}

template <typename Real>
std::int64_t NodeArray<Real>::slots() const {
  return (std::int64_t{size_} + 1) * kSlots<Real>;
}

template <typename Real>
void NodeArray<Real>::populate(unsigned threads) {
  if (data_ != nullptr) process::populate_reals(reals(data_), slots(), threads);
}

template <typename Real>
void NodeArray<Real>::populate_together(std::initializer_list<NodeArray*> arrays,
                                        unsigned threads) {
  std::vector<process::Reals> storage;
  for (const NodeArray* a : arrays) {
    if (a->data_ != nullptr) storage.push_back({reals(a->data_), a->slots()});
  }
  process::populate_reals_together(storage.data(), storage.size(), threads);
}

template <typename Real>
void NodeArray<Real>::release() {
  if (data_ != nullptr) process::release_reals(reals(data_), slots());
  data_ = nullptr;
  size_ = 0;
}

template <typename Real>
NormArray<Real>::NormArray(NormArray&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)),
      count_(std::exchange(other.count_, 0)),
      capacity_(std::exchange(other.capacity_, 0)) {}

template <typename Real>
NormArray<Real>& NormArray<Real>::operator=(NormArray&& other) noexcept {
  if (this != &other) {
    if (data_ != nullptr) fin::release(data_, capacity_);
    data_ = std::exchange(other.data_, nullptr);
    count_ = std::exchange(other.count_, 0);
    capacity_ = std::exchange(other.capacity_, 0);
  }
  return *this;
}

template <typename Real>
NormArray<Real>::~NormArray() {
  if (data_ != nullptr) fin::release(data_, capacity_);
}

template <typename Real>
void NormArray<Real>::append(Real value, unsigned threads) {
  if (count_ == capacity_) {
    const std::int64_t grown = capacity_ < 64 ? 64 : capacity_ * 2;
    if (data_ == nullptr) {
      data_ = fin::create<Real>(grown, process::Pages::at_creation, threads);
    } else {
      fin::grow(data_, capacity_, grown, threads);
    }
    capacity_ = grown;
  }
  data_[count_++] = value;
}

template class NodeArray<double>;
template class NodeArray<Quad>;
template class NormArray<double>;
template class NormArray<Quad>;

}  // namespace fin
