#include "fin/arrays.h"

#include <utility>

#include "process/storage.h"

namespace fin {

NodeArray::NodeArray(NodeArray&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)), size_(std::exchange(other.size_, 0)) {}

NodeArray& NodeArray::operator=(NodeArray&& other) noexcept {
  if (this != &other) {
    release();
    data_ = std::exchange(other.data_, nullptr);
    size_ = std::exchange(other.size_, 0);
  }
  return *this;
}

void NodeArray::create(std::int32_t n) {
  release();
  const std::int64_t count = n > 0 ? std::int64_t{n} : 0;
  data_ = process::create_reals(count + 1);  // one more: slot 0 keeps indices 1-based
  size_ = static_cast<std::int32_t>(count);
}

void NodeArray::release() {
  process::release_reals(data_, std::int64_t{size_} + 1);
  data_ = nullptr;
  size_ = 0;
}

NormArray::NormArray(NormArray&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)),
      count_(std::exchange(other.count_, 0)),
      capacity_(std::exchange(other.capacity_, 0)) {}

NormArray& NormArray::operator=(NormArray&& other) noexcept {
  if (this != &other) {
    process::release_reals(data_, capacity_);
    data_ = std::exchange(other.data_, nullptr);
    count_ = std::exchange(other.count_, 0);
    capacity_ = std::exchange(other.capacity_, 0);
  }
  return *this;
}

NormArray::~NormArray() { process::release_reals(data_, capacity_); }

void NormArray::append(double value) {
  if (count_ == capacity_) {
    const std::int64_t grown = capacity_ < 64 ? 64 : capacity_ * 2;
    data_ = data_ == nullptr ? process::create_reals(grown)
                             : process::grow_reals(data_, capacity_, grown);
    capacity_ = grown;
  }
  data_[count_++] = value;
}

}  // namespace fin
