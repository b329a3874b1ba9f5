#pragma once
// The tridiagonal system ap(i)·T(i) = aw(i)·T(i-1) + ae(i)·T(i+1) + bp(i), i = 1..n: its direct
// solution and the norms of its residual.
#include <cstdint>

#include "fin/arrays.h"

namespace fin {

// Thomas algorithm. aw(1) and ae(n) are never used; T is overwritten without being read.
void solve_tridiagonal(const NodeArray& ap, const NodeArray& aw, const NodeArray& ae,
                       const NodeArray& bp, NodeArray& T, std::int32_t n);

// Norms of the residual R(i) = aw(i)·T(i-1) + ae(i)·T(i+1) + bp(i) - ap(i)·T(i), n >= 2.
void residual_norm_l1(const NodeArray& ap, const NodeArray& aw, const NodeArray& ae,
                      const NodeArray& bp, const NodeArray& T, std::int32_t n, double& result);
void residual_norm_l2(const NodeArray& ap, const NodeArray& aw, const NodeArray& ae,
                      const NodeArray& bp, const NodeArray& T, std::int32_t n, double& result);
void residual_norm_linf(const NodeArray& ap, const NodeArray& aw, const NodeArray& ae,
                        const NodeArray& bp, const NodeArray& T, std::int32_t n, double& result);

}  // namespace fin
