// Post-processing: the exact solution and the heat rates at the base.
#include <cmath>

#include "fin/aleta_longa.h"
#include "fin/dados.h"
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

void analytical_temperatures(CaseRecord& c) {
  const double mk = c.m * c.k;
  const double mL = c.m * c.L;
  // A fin so long that the direct form overflows is evaluated in scaled form (aleta_longa.h);
  // wherever the direct form stays finite its result is kept bit for bit.
  const bool long_fin = overflows([&](const Hyperbolic& f) {
    return profile_denominator(f, mL, mk, c.h);
  });
  const double Dn = long_fin ? 0.0 : profile_denominator(kChecked, mL, mk, c.h);
  const double theta_b = c.Tb - c.Tinf;
  for (std::int64_t i = 1; i <= c.N; ++i) {
    const double z = (c.L - c.x[i]) * c.m;
    // |z| <= |mL|: sinh(z) and cosh(z) cannot overflow where sinh(mL) and cosh(mL) did not.
    const double ratio = long_fin ? long_fin_temperature_ratio(z, mL, mk, c.h)
                                  : (std::sinh(z) / mk * c.h + std::cosh(z)) / Dn;
    c.Ta[i] = ratio * theta_b + c.Tinf;
  }
}

void analytical_heat_rate(CaseRecord& c) {
  const double M = std::sqrt(c.Ab * c.P * c.k * c.h);
  const double theta_b = c.Tb - c.Tinf;
  const bool long_fin = overflows([&](const Hyperbolic& f) {
    return heat_rate_without_theta(f, M, c.m, c.L, c.k, c.h);
  });
  if (long_fin) {
    c.qa = M * long_fin_heat_ratio(c.m * c.L, c.m * c.k, c.h) * theta_b;
  } else {
    c.qa = heat_rate_without_theta(kChecked, M, c.m, c.L, c.k, c.h) * theta_b;
  }
}

}  // namespace

void analytical_solution(CaseRecord& c) {
  analytical_temperatures(c);
  analytical_heat_rate(c);
}

void numerical_heat_rates(CaseRecord& c) {
  c.qdds1 = -((c.T[2] - c.T[1]) / c.dx * c.Ab * c.k);
  c.qdds2 = -((c.T[1] * -3.0 - c.T[3] + c.T[2] * 4.0) / (c.dx * 2.0) * c.Ab * c.k);
}

void post_process(CaseRecord& c) {
  analytical_solution(c);
  numerical_heat_rates(c);
  write_report(c);
}

}  // namespace fin
