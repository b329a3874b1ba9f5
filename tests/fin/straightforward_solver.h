#pragma once
// The solve and the norms as first written, kept as the yardstick for the production code,
// which reorganises the work (one work array, one pass for the three norms) but must give the
// same bits: two work arrays created for the call, one pass per norm, and the largest residual
// found by a scan over stored magnitudes.
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

#include "fin/arrays.h"

namespace fin::testing {

// The bit pattern, so that results compare exactly (-0 apart from 0, a NaN equal to itself).
inline std::uint64_t bits(double value) {
  std::uint64_t b;
  std::memcpy(&b, &value, sizeof b);
  return b;
}

inline void straightforward_solve(const NodeArray<double>& ap, const NodeArray<double>& aw, const NodeArray<double>& ae,
                                  const NodeArray<double>& bp, NodeArray<double>& T, std::int32_t n) {
  std::vector<double> P(n + 1), Q(n + 1);
  P[1] = ae[1] / ap[1];
  Q[1] = bp[1] / ap[1];
  for (std::int32_t i = 2; i <= n; ++i) {
    const double D = ap[i] - aw[i] * P[i - 1];
    P[i] = ae[i] / D;
    Q[i] = (aw[i] * Q[i - 1] + bp[i]) / D;
  }
  T[n] = Q[n];
  for (std::int32_t i = n - 1; i >= 1; --i) T[i] = P[i] * T[i + 1] + Q[i];
}

// R(1..n), each in the grouping of its row.
inline std::vector<double> straightforward_residuals(const NodeArray<double>& ap, const NodeArray<double>& aw,
                                                     const NodeArray<double>& ae, const NodeArray<double>& bp,
                                                     const NodeArray<double>& T, std::int32_t n) {
  std::vector<double> R(n + 1);
  R[1] = (ae[1] * T[2] - ap[1] * T[1]) + bp[1];
  for (std::int32_t i = 2; i <= n - 1; ++i) {
    R[i] = ((ae[i] * T[i + 1] - ap[i] * T[i]) + aw[i] * T[i - 1]) + bp[i];
  }
  R[n] = (aw[n] * T[n - 1] - ap[n] * T[n]) + bp[n];
  return R;
}

struct StraightforwardNorms {
  double l1 = 0, l2 = 0, linf = 0;
};

inline StraightforwardNorms straightforward_norms(const NodeArray<double>& ap, const NodeArray<double>& aw,
                                                  const NodeArray<double>& ae, const NodeArray<double>& bp,
                                                  const NodeArray<double>& T, std::int32_t n) {
  const std::vector<double> R = straightforward_residuals(ap, aw, ae, bp, T, n);
  StraightforwardNorms norms;
  double sum = 0.0;
  for (std::int32_t i = 1; i <= n; ++i) sum += std::fabs(R[i]);
  norms.l1 = sum;
  sum = 0.0;
  for (std::int32_t i = 1; i <= n; ++i) sum += R[i] * R[i];
  norms.l2 = std::sqrt(sum);
  std::vector<double> magnitudes(n + 1);
  for (std::int32_t i = 1; i <= n; ++i) magnitudes[i] = std::fabs(R[i]);
  norms.linf = -DBL_MAX;
  for (std::int32_t i = 1; i <= n; ++i) {
    if (magnitudes[i] > norms.linf) norms.linf = magnitudes[i];
  }
  return norms;
}

}  // namespace fin::testing
