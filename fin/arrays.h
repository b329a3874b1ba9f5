#pragma once
// The arrays of the fin model: node arrays indexed 1..n like the mesh (node 1 at the base), and
// the per-iteration norm history indexed from 0, of doubles or of quadruple reals. A quadruple
// real takes the storage of two doubles: its zero is all zero bits too, and the storage of the
// computation is aligned for it. Putting an array's pages in place takes at most the `threads`
// its caller allows (1: the calling thread alone).
#include <cstdint>
#include <initializer_list>

#include "fin/real.h"
#include "process/storage.h"

namespace fin {

template <typename Real>
class NodeArray {
  static_assert(kIsArithmetic<Real>);

 public:
  NodeArray() = default;
  explicit NodeArray(std::int32_t n, unsigned threads = 1) {
    create(n, process::Pages::at_creation, threads);
  }
  ~NodeArray() { release(); }
  NodeArray(const NodeArray&) = delete;
  NodeArray& operator=(const NodeArray&) = delete;
  NodeArray(NodeArray&& other) noexcept;
  NodeArray& operator=(NodeArray&& other) noexcept;

  // Creates n elements, all 0 (throws process::StorageUnavailable when the storage cannot be
  // had). With Pages::later their pages are put in place by populate or populate_together.
  void create(std::int32_t n, process::Pages pages = process::Pages::at_creation,
              unsigned threads = 1);
  // Puts in place the pages of an array created with Pages::later, just before it is first
  // written long after its creation (a refusal is no error: see process::populate_reals).
  void populate(unsigned threads);
  // Puts in place together the pages of arrays created with Pages::later that are written next
  // (throws process::StorageUnavailable when the system refuses them).
  static void populate_together(std::initializer_list<NodeArray*> arrays, unsigned threads);
  std::int32_t size() const { return size_; }

  // Element i, 1 <= i <= size(). Slot 0 exists but belongs to no node. Loops over the nodes
  // count in 64 bits, so that one reaching N = 2147483647 can step past it.
  Real& operator[](std::int64_t i) { return data_[i]; }
  Real operator[](std::int64_t i) const { return data_[i]; }

 private:
  void release();
  std::int64_t slots() const;  // the storage's reals, slot 0 among them
  Real* data_ = nullptr;
  std::int32_t size_ = 0;
};

// Norms of iterations 0, 1, 2, ...; grows as the iterations are made.
template <typename Real>
class NormArray {
  static_assert(kIsArithmetic<Real>);

 public:
  NormArray() = default;
  ~NormArray();
  NormArray(const NormArray&) = delete;
  NormArray& operator=(const NormArray&) = delete;
  NormArray(NormArray&& other) noexcept;
  NormArray& operator=(NormArray&& other) noexcept;

  // Element c (0 <= c < count()).
  Real operator[](std::int64_t c) const { return data_[c]; }
  std::int64_t count() const { return count_; }
  // Stores the norm of the next iteration (throws process::StorageUnavailable when the
  // storage cannot be had).
  void append(Real value, unsigned threads = 1);

 private:
  Real* data_ = nullptr;
  std::int64_t count_ = 0;
  std::int64_t capacity_ = 0;
};

// Compiled in arrays.cpp for each arithmetic of the core (fin/real.h) alone.
extern template class NodeArray<double>;
extern template class NodeArray<Quad>;
extern template class NormArray<double>;
extern template class NormArray<Quad>;

}  // namespace fin
