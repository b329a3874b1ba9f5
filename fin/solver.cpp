#include "fin/solver.h"

#include "fin/real.h"

namespace fin {

template <typename Real>
void TridiagonalSolver<Real>::solve(const NodeArray<Real>& ap, const NodeArray<Real>& aw,
                                    const NodeArray<Real>& ae, const NodeArray<Real>& bp,
                                    NodeArray<Real>& T, std::int32_t n) {
  if (Ptdma_.size() < n) Ptdma_.create(n, process::Pages::at_creation, threads_);
  // After the forward sweep row i reads T(i) = Ptdma(i)·T(i+1) + Qtdma(i). Qtdma(i) is kept in
  // T(i) until the back substitution replaces it, which spares a second work array. The
  // previous row's values stay in registers, so the sweep waits only on the arithmetic: on the
  // chain of a product, a difference and a quotient from one row to the next. Interior rows
  // have aw(i) = 1, whose product with a number is that number exactly, so there the product
  // is left out of the chain.
  Real* Ptdma = &Ptdma_[0];
  Real* Qtdma = &T[0];
  Real p = ae[1] / ap[1];
  Real q = bp[1] / ap[1];
  Ptdma[1] = p;
  Qtdma[1] = q;
  for (std::int64_t i = 2; i <= n; ++i) {
    const Real west = aw[i];
    const Real pivot = ap[i] - (west == 1.0 ? p : west * p);
    p = ae[i] / pivot;
    q = ((west == 1.0 ? q : west * q) + bp[i]) / pivot;
    Ptdma[i] = p;
    Qtdma[i] = q;
  }
  Real t = q;  // T(n) = Qtdma(n)
  for (std::int32_t i = n - 1; i >= 1; --i) {
    t = Ptdma[i] * t + Qtdma[i];
    T[i] = t;
  }
}

namespace {

// Accumulates the three norms row by row: each takes the rows in the order a pass of its own
// would, so the results are the same bits. Every array element is finite (each operation that
// made one traps on overflow and on invalid operands), so the only fault these operations can
// raise is an overflow, which has one message whichever norm meets it first.
template <typename Real>
struct NormSums {
  Real l1 = 0.0;
  Real l2 = 0.0;
  Real linf = -RealTraits<Real>::largest();

  void add(Real residual) {
    const Real magnitude = RealTraits<Real>::fabs(residual);
    l1 += magnitude;
    l2 += residual * residual;
    if (magnitude > linf) linf = magnitude;
  }
};

}  // namespace

template <typename Real>
ResidualNorms<Real> residual_norms(const NodeArray<Real>& ap, const NodeArray<Real>& aw,
                                   const NodeArray<Real>& ae, const NodeArray<Real>& bp,
                                   const NodeArray<Real>& T, std::int32_t n) {
  NormSums<Real> sums;
  sums.add((ae[1] * T[2] - ap[1] * T[1]) + bp[1]);
  for (std::int32_t i = 2; i <= n - 1; ++i) {
    sums.add(((ae[i] * T[i + 1] - ap[i] * T[i]) + aw[i] * T[i - 1]) + bp[i]);
  }
  sums.add((aw[n] * T[n - 1] - ap[n] * T[n]) + bp[n]);
  return {sums.l1, RealTraits<Real>::sqrt(sums.l2), sums.linf};
}

template class TridiagonalSolver<double>;
template class TridiagonalSolver<Quad>;
template decltype(residual_norms<double>) residual_norms<double>;
template decltype(residual_norms<Quad>) residual_norms<Quad>;

}  // namespace fin
