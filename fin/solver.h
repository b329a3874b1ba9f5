#pragma once
// The tridiagonal system ap(i)·T(i) = aw(i)·T(i-1) + ae(i)·T(i+1) + bp(i), i = 1..n: its direct
// solution and the norms of its residual.
#include <cstdint>

#include "fin/arrays.h"

namespace fin {

// Thomas algorithm. A solver keeps its work storage from one solve to the next, so that an
// iteration that solves again and again does not ask the system for it every time; every
// element a solve reads has been written earlier in the same solve.
class TridiagonalSolver {
 public:
  // aw(1) and ae(n) are never used; T is overwritten without being read.
  void solve(const NodeArray& ap, const NodeArray& aw, const NodeArray& ae, const NodeArray& bp,
             NodeArray& T, std::int32_t n);

 private:
  NodeArray Ptdma_;  // reduced east coefficient of each row
};

// One solve whose work storage is given back before it returns.
void solve_tridiagonal(const NodeArray& ap, const NodeArray& aw, const NodeArray& ae,
                       const NodeArray& bp, NodeArray& T, std::int32_t n);

// Norms of the residual R(i) = aw(i)·T(i-1) + ae(i)·T(i+1) + bp(i) - ap(i)·T(i).
struct ResidualNorms {
  double l1;    // sum of |R(i)|, accumulated from node 1 to node n
  double l2;    // square root of the sum of R(i)², accumulated in the same order
  double linf;  // the largest |R(i)|
};

// The three norms in one pass over the rows, n >= 2.
ResidualNorms residual_norms(const NodeArray& ap, const NodeArray& aw, const NodeArray& ae,
                             const NodeArray& bp, const NodeArray& T, std::int32_t n);

}  // namespace fin
