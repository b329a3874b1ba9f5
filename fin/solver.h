#pragma once
// The tridiagonal system ap(i)·T(i) = aw(i)·T(i-1) + ae(i)·T(i+1) + bp(i), i = 1..n: its direct
// solution and the norms of its residual.
#include <cstdint>
#include <utility>

#include "fin/arrays.h"
#include "fin/real.h"

namespace fin {

// Thomas algorithm. A solver keeps its work storage from one solve to the next, so that an
// iteration that solves again and again does not ask the system for it every time; every
// element a solve reads has been written earlier in the same solve.
template <typename Real>
class TridiagonalSolver {
 public:
  // Its work storage's pages are put in place by at most `threads` threads.
  explicit TridiagonalSolver(unsigned threads = 1) : threads_(threads) {}

  // aw(1) and ae(n) are never used; T is overwritten without being read.
  void solve(const NodeArray<Real>& ap, const NodeArray<Real>& aw, const NodeArray<Real>& ae,
             const NodeArray<Real>& bp, NodeArray<Real>& T, std::int32_t n);

  // Gives up the work storage: the largest n solved so far, its pages in place, slot 0 still 0
  // and the other slots the last solve's reduced coefficients (empty before any solve).
  NodeArray<Real> release_work() { return std::move(Ptdma_); }

 private:
  NodeArray<Real> Ptdma_;  // reduced east coefficient of each row
  unsigned threads_;
};

// Norms of the residual R(i) = aw(i)·T(i-1) + ae(i)·T(i+1) + bp(i) - ap(i)·T(i).
template <typename Real>
struct ResidualNorms {
  Real l1;    // sum of |R(i)|, accumulated from node 1 to node n
  Real l2;    // square root of the sum of R(i)², accumulated in the same order
  Real linf;  // the largest |R(i)|
};

// The three norms in one pass over the rows, n >= 2.
template <typename Real>
ResidualNorms<Real> residual_norms(const NodeArray<Real>& ap, const NodeArray<Real>& aw,
                                   const NodeArray<Real>& ae, const NodeArray<Real>& bp,
                                   const NodeArray<Real>& T, std::int32_t n);

// Compiled in solver.cpp for each arithmetic of the core (fin/real.h) alone.
extern template class TridiagonalSolver<double>;
extern template class TridiagonalSolver<Quad>;
extern template decltype(residual_norms<double>) residual_norms<double>;
extern template decltype(residual_norms<Quad>) residual_norms<Quad>;

}  // namespace fin
