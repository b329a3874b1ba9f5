#include "fin/solver.h"

#include <cfloat>
#include <cmath>

namespace fin {

void solve_tridiagonal(const NodeArray& ap, const NodeArray& aw, const NodeArray& ae,
                       const NodeArray& bp, NodeArray& T, std::int32_t n) {
  // After the forward sweep row i reads T(i) = Ptdma(i)·T(i+1) + Qtdma(i).
  NodeArray Ptdma(n);
  NodeArray Qtdma(n);
  Ptdma[1] = ae[1] / ap[1];
  Qtdma[1] = bp[1] / ap[1];
  for (std::int32_t i = 2; i <= n; ++i) {
    const double pivot = ap[i] - aw[i] * Ptdma[i - 1];
    Ptdma[i] = ae[i] / pivot;
    Qtdma[i] = (aw[i] * Qtdma[i - 1] + bp[i]) / pivot;
  }
  T[n] = Qtdma[n];
  for (std::int32_t i = n - 1; i >= 1; --i) T[i] = Ptdma[i] * T[i + 1] + Qtdma[i];
}

namespace {

// The residual of each row, visited in order: node 1, the interior nodes, node n.
template <typename Visit>
void for_each_residual(const NodeArray& ap, const NodeArray& aw, const NodeArray& ae,
                       const NodeArray& bp, const NodeArray& T, std::int32_t n, Visit visit) {
  visit(1, (ae[1] * T[2] - ap[1] * T[1]) + bp[1]);
  for (std::int32_t i = 2; i <= n - 1; ++i) {
    visit(i, ((ae[i] * T[i + 1] - ap[i] * T[i]) + aw[i] * T[i - 1]) + bp[i]);
  }
  visit(n, (aw[n] * T[n - 1] - ap[n] * T[n]) + bp[n]);
}

}  // namespace

void residual_norm_l1(const NodeArray& ap, const NodeArray& aw, const NodeArray& ae,
                      const NodeArray& bp, const NodeArray& T, std::int32_t n, double& result) {
  double sum = 0.0;
  for_each_residual(ap, aw, ae, bp, T, n, [&](std::int32_t, double r) { sum += std::fabs(r); });
  result = sum;
}

void residual_norm_l2(const NodeArray& ap, const NodeArray& aw, const NodeArray& ae,
                      const NodeArray& bp, const NodeArray& T, std::int32_t n, double& result) {
  double sum = 0.0;
  for_each_residual(ap, aw, ae, bp, T, n, [&](std::int32_t, double r) { sum += r * r; });
  result = std::sqrt(sum);
}

void residual_norm_linf(const NodeArray& ap, const NodeArray& aw, const NodeArray& ae,
                        const NodeArray& bp, const NodeArray& T, std::int32_t n, double& result) {
  NodeArray magnitudes(n);
  for_each_residual(ap, aw, ae, bp, T, n,
                    [&](std::int32_t i, double r) { magnitudes[i] = std::fabs(r); });
  // A residual that is not a number never compares greater, so it never becomes the maximum.
  double largest = -DBL_MAX;
  for (std::int32_t i = 1; i <= n; ++i) {
    if (magnitudes[i] > largest) largest = magnitudes[i];
  }
  result = largest;
}

}  // namespace fin
