// Post-processing: the exact solution and the heat rates at the base.
#include <cmath>

#include "fin/aleta_longa.h"
#include "fin/processamento.h"
#include "process/held_fp_traps.h"
#include "process/math_errors.h"

namespace fin {
namespace {

// sinh and cosh as used by a formula: the library's own for a trial evaluation whose overflow
// is judged afterwards, the checked ones (whose errors end the run) for the evaluation that counts.
struct Hyperbolic {
  double (*sinh)(double);
  double (*cosh)(double);
};
double library_sinh(double x) { return std::sinh(x); }
double library_cosh(double x) { return std::cosh(x); }
constexpr Hyperbolic kTrial{library_sinh, library_cosh};
constexpr Hyperbolic kChecked{process::checked_sinh, process::checked_cosh};

// Whether evaluating `formula` with `kTrial` overflows somewhere. Other faults are left to the
// evaluation that counts, which meets them at the same operation and ends the run there.
template <typename Formula>
bool overflows(Formula formula) {
  process::HeldFpTraps held;
  volatile double ignored = formula(kTrial);
  (void)ignored;
  return held.overflowed();
}

// cosh(mL) + (h/mk)·sinh(mL), the denominator of the temperature profile.
double profile_denominator(const Hyperbolic& f, double mL, double mk, double h) {
  return f.sinh(mL) / mk * h + f.cosh(mL);
}

// The ratio [sinh mL + (h/mk)·cosh mL] / [cosh mL + (h/mk)·sinh mL] of the heat rate, as
// ((M/Dq)·Nq): M is applied between the two.
double heat_rate_without_theta(const Hyperbolic& f, double M, double m, double L, double k,
                               double h) {
  const double mL = m * L;
  const double mk = m * k;
  const double c = f.cosh(mL);
  const double s = f.sinh(mL);
  const double Dq = s / mk * h + c;
  const double Nq = c / mk * h + s;
  return M / Dq * Nq;
}

void analytical_temperatures(const GeneralInput& in, const Mesh& mesh, NodeArray& Ta) {
  const double mk = mesh.m * in.k;
  const double mL = mesh.m * in.L;
  // A fin so long that the direct form overflows is evaluated in scaled form (aleta_longa.h);
  // wherever the direct form stays finite its result is kept bit for bit.
  const bool long_fin = overflows([&](const Hyperbolic& f) {
    return profile_denominator(f, mL, mk, in.h);
  });
  const double Dn = long_fin ? 0.0 : profile_denominator(kChecked, mL, mk, in.h);
  const double theta_b = in.Tb - in.Tinf;
  for (std::int64_t i = 1; i <= mesh.N; ++i) {
    const double z = (in.L - mesh.x[i]) * mesh.m;
    // |z| <= |mL|: sinh(z) and cosh(z) cannot overflow where sinh(mL) and cosh(mL) did not.
    const double ratio = long_fin ? long_fin_temperature_ratio(z, mL, mk, in.h)
                                  : (std::sinh(z) / mk * in.h + std::cosh(z)) / Dn;
    Ta[i] = ratio * theta_b + in.Tinf;
  }
}

double analytical_heat_rate(const GeneralInput& in, const Mesh& mesh) {
  const double M = std::sqrt(in.Ab * in.P * in.k * in.h);
  const double theta_b = in.Tb - in.Tinf;
  const bool long_fin = overflows([&](const Hyperbolic& f) {
    return heat_rate_without_theta(f, M, mesh.m, in.L, in.k, in.h);
  });
  if (long_fin) return M * long_fin_heat_ratio(mesh.m * in.L, mesh.m * in.k, in.h) * theta_b;
  return heat_rate_without_theta(kChecked, M, mesh.m, in.L, in.k, in.h) * theta_b;
}

}  // namespace

void analytical_solution(const GeneralInput& in, const Mesh& mesh, ExactSolution& exact) {
  analytical_temperatures(in, mesh, exact.Ta);
  exact.qa = analytical_heat_rate(in, mesh);
}

HeatRates numerical_heat_rates(const GeneralInput& in, const Mesh& mesh, const NodeArray& T) {
  HeatRates rates;
  rates.qdds1 = -((T[2] - T[1]) / mesh.dx * in.Ab * in.k);
  rates.qdds2 = -((T[1] * -3.0 - T[3] + T[2] * 4.0) / (mesh.dx * 2.0) * in.Ab * in.k);
  return rates;
}

void post_process(const GeneralInput& in, Case& c) {
  analytical_solution(in, c.mesh, c.exact);
  c.rates = numerical_heat_rates(in, c.mesh, c.solution.T);
}

}  // namespace fin
