#include "fin/pos_processamento.h"

#include "fin/aleta_longa.h"
#include "fin/node_halves.h"
#include "fin/real.h"
#include "process/held_fp_traps.h"

namespace fin {
namespace {

// Whether evaluating `formula` overflows somewhere, judged with the faults held. Other faults are
// left to the evaluation that counts, which meets them at the same operation. That evaluation
// makes the same operations on the same values, so where this one does not overflow it cannot:
// sinh and cosh are then the library's own, with no check of their own.
template <typename Real, typename Formula>
bool overflows(Formula formula) {
  process::HeldFpTraps held;
  volatile Real ignored = formula();
  (void)ignored;
  return held.overflowed();
}

// cosh(mL) + (h/mk)·sinh(mL), the denominator of the temperature profile.
template <typename Real>
Real profile_denominator(Real mL, Real mk, Real h) {
  using R = RealTraits<Real>;
  return R::sinh(mL) / mk * h + R::cosh(mL);
}

// The ratio [sinh mL + (h/mk)·cosh mL] / [cosh mL + (h/mk)·sinh mL] of the heat rate, as
// ((M/Dq)·Nq): M is applied between the two.
template <typename Real>
Real heat_rate_without_theta(Real M, Real m, Real L, Real k, Real h) {
  const Real mL = m * L;
  const Real mk = m * k;
  const Real c = RealTraits<Real>::cosh(mL);
  const Real s = RealTraits<Real>::sinh(mL);
  const Real Dq = s / mk * h + c;
  const Real Nq = c / mk * h + s;
  return M / Dq * Nq;
}

// Whether no node between the samples (every stride-th one and the tip) can fault where none of
// those does, so that computing those alone meets the first fault a loop over every node would
// meet. Every
// intermediate of the direct formula at a node is at most, in magnitude, the same chain taken
// with the magnitudes of sinh and cosh at the base, where |z| = |mL| is largest; while that chain
// stays far below overflow no node can overflow. The other faults, a zero divisor (mk or Dn) or
// an operand that is already invalid, are the same at every node, the base (computed first)
// among them. The long-fin form is not bounded here: its fins compute every node.
template <typename Real>
bool samples_meet_every_fault(const FinProperties<Real>& fin, Real mL, Real mk, Real Dn,
                              Real theta_b) {
  using R = RealTraits<Real>;
  const process::HeldFpTraps held;
  const Real s_over_mk = R::fabs(R::sinh(mL)) / R::fabs(mk);
  const Real term = s_over_mk * R::fabs(fin.h);
  const Real numerator = term + R::cosh(mL);
  const Real ratio = numerator / R::fabs(Dn);
  const Real scaled = ratio * R::fabs(theta_b);
  const Real temperature = scaled + R::fabs(fin.Tinf);
  const Real far_from_overflow = 0x1p1000;
  for (const Real v : {s_over_mk, term, numerator, ratio, scaled, temperature}) {
    if (!(v <= far_from_overflow)) return false;
  }
  return !held.overflowed() && !held.invalid() && !held.divided_by_zero();
}

template <typename Real>
void analytical_temperatures(const FinProperties<Real>& fin, Real m, const Mesh<Real>& mesh,
                             const ProfileNodes& nodes, unsigned threads, NodeArray<Real>& Ta) {
  const Real mk = m * fin.k;
  const Real mL = m * fin.L;
  // A fin so long that the direct form overflows is evaluated in scaled form (aleta_longa.h);
  // wherever the direct form stays finite its result is kept bit for bit.
  const bool long_fin = overflows<Real>([&] { return profile_denominator(mL, mk, fin.h); });
  const Real Dn = long_fin ? Real(0.0) : profile_denominator(mL, mk, fin.h);
  const Real theta_b = fin.Tb - fin.Tinf;
  using R = RealTraits<Real>;
  const auto temperature = [&](std::int64_t i) {
    const Real z = (fin.L - mesh.x[i]) * m;
    // |z| <= |mL|: sinh(z) and cosh(z) cannot overflow where sinh(mL) and cosh(mL) did not.
    const Real ratio = long_fin ? long_fin_temperature_ratio(z, mL, mk, fin.h)
                                : (R::sinh(z) / mk * fin.h + R::cosh(z)) / Dn;
    return ratio * theta_b + fin.Tinf;
  };
  const std::int64_t N = mesh.N;
  const std::int64_t samples = nodes.count();
  if (samples == N) {
    const auto every_node = [&](std::int64_t first, std::int64_t last) {
      for (std::int64_t i = first; i <= last; ++i) Ta[i] = temperature(i);
    };
    for_nodes_in_halves(1, N, NodeCost::arithmetic, threads, every_node);
  } else if (!long_fin && samples_meet_every_fault(fin, mL, mk, Dn, theta_b)) {
    for (std::int64_t j = 1; j <= samples; ++j) Ta[j] = temperature(nodes.node(j));
  } else {
    // Every node is evaluated, for its faults, and the samples kept; the volatile store keeps
    // the compiler from leaving out the evaluations of the other nodes.
    const auto every_node_samples_kept = [&](std::int64_t first, std::int64_t last) {
      for (std::int64_t i = first; i <= last; ++i) {
        volatile Real value = temperature(i);
        if (const std::int64_t j = nodes.sample_of(i); j > 0) Ta[j] = value;
      }
    };
    for_nodes_in_halves(1, N, NodeCost::arithmetic, threads, every_node_samples_kept);
  }
}

template <typename Real>
Real analytical_heat_rate(const FinProperties<Real>& fin, Real m) {
  const Real M = RealTraits<Real>::sqrt(fin.Ab * fin.P * fin.k * fin.h);
  const Real theta_b = fin.Tb - fin.Tinf;
  const bool long_fin =
      overflows<Real>([&] { return heat_rate_without_theta(M, m, fin.L, fin.k, fin.h); });
  if (long_fin) return M * long_fin_heat_ratio(m * fin.L, m * fin.k, fin.h) * theta_b;
  return heat_rate_without_theta(M, m, fin.L, fin.k, fin.h) * theta_b;
}

}  // namespace

template <typename Real>
void analytical_solution(const FinProperties<Real>& fin, Real m, const Mesh<Real>& mesh,
                         unsigned threads, ExactSolution<Real>& exact) {
  analytical_temperatures(fin, m, mesh, exact.nodes, threads, exact.Ta);
  exact.qa = analytical_heat_rate(fin, m);
}

template <typename Real>
HeatRates<Real> numerical_heat_rates(const FinProperties<Real>& fin, const Mesh<Real>& mesh,
                                     const NodeArray<Real>& T) {
  HeatRates<Real> rates;
  rates.qdds1 = -((T[2] - T[1]) / mesh.dx * fin.Ab * fin.k);
  rates.qdds2 = -((T[1] * -3.0 - T[3] + T[2] * 4.0) / (mesh.dx * 2.0) * fin.Ab * fin.k);
  return rates;
}

template <typename Real>
void post_process(Case<Real>& c) {
  analytical_solution(c.fin, c.m, c.mesh, c.threads, c.exact);
  c.rates = numerical_heat_rates(c.fin, c.mesh, c.solution.T);
}

template decltype(post_process<double>) post_process<double>;
template decltype(post_process<Quad>) post_process<Quad>;
template decltype(analytical_solution<double>) analytical_solution<double>;
template decltype(analytical_solution<Quad>) analytical_solution<Quad>;
template decltype(numerical_heat_rates<double>) numerical_heat_rates<double>;
template decltype(numerical_heat_rates<Quad>) numerical_heat_rates<Quad>;

}  // namespace fin
