#include "fin/aleta_longa.h"

#include <gtest/gtest.h>

#include <cmath>

#include "fin/processamento.h"
#include "tests/fin/worked_case.h"

namespace fin {
namespace {

// The exact formulas in 80-bit arithmetic, whose range holds cosh and sinh far beyond the
// double limit of about 710.
struct Reference {
  long double theta_ratio(long double z, long double mL, long double a) const {
    return (std::cosh(z) + a * std::sinh(z)) / (std::cosh(mL) + a * std::sinh(mL));
  }
  long double heat_ratio(long double mL, long double a) const {
    return (std::sinh(mL) + a * std::cosh(mL)) / (std::cosh(mL) + a * std::sinh(mL));
  }
};

// The worked fin stretched to length L (m = √20).
void solve_long_fin(CaseRecord& c, double L, int nodes) {
  testing::fill_worked_case(c, 1, nodes);
  c.L = L;
  build_mesh(c);
  analytical_solution(c);
}

double relative_difference(long double a, long double b) {
  return static_cast<double>(std::fabs((a - b) / b));
}

TEST(LongFin, AgreesWithAHighPrecisionEvaluation) {
  const Reference exact;
  for (double L : {160.0, 300.0, 1000.0, -300.0}) {
    CaseRecord c;
    solve_long_fin(c, L, 11);
    const long double mL = c.m * c.L;  // the same double product the program forms
    const long double a = static_cast<long double>(c.h) / (static_cast<long double>(c.m) * c.k);
    const double mk = c.m * c.k;
    for (std::int32_t i = 1; i <= c.N; ++i) {
      const double z = (c.L - c.x[i]) * c.m;
      const long double ratio = exact.theta_ratio(z, mL, a);
      EXPECT_NEAR(c.Ta[i], c.Tinf + ratio * (c.Tb - c.Tinf), 1e-15 * c.Tb) << "L " << L << " node " << i;
      if (ratio > 1e-300L) {  // the scaled ratio itself, before Tinf absorbs it
        EXPECT_LT(relative_difference(long_fin_temperature_ratio(z, c.m * c.L, mk, c.h), ratio), 1e-12)
            << "L " << L << " node " << i;
      }
    }
    const long double q = std::sqrt(static_cast<long double>(c.h) * c.P * c.k * c.Ab) *
                          (c.Tb - c.Tinf) * exact.heat_ratio(mL, a);
    EXPECT_LT(relative_difference(c.qa, q), 1e-14) << "L " << L;
  }
}

TEST(LongFin, ScaledFormContinuesTheDirectFormAtTheThreshold) {
  // Just short of the overflow the direct form is still used; the scaled form evaluated at the
  // same point agrees with it to rounding.
  CaseRecord c;
  solve_long_fin(c, 158.8, 9);  // m·L ≈ 710.18, cosh(mL) just below the largest double
  const double mL = c.m * c.L;
  const double mk = c.m * c.k;
  ASSERT_TRUE(std::isfinite(std::cosh(mL)));
  for (std::int32_t i = 1; i <= c.N; ++i) {
    const double z = (c.L - c.x[i]) * c.m;
    const double scaled = long_fin_temperature_ratio(z, mL, mk, c.h) * (c.Tb - c.Tinf) + c.Tinf;
    EXPECT_NEAR(scaled, c.Ta[i], 1e-13 * c.Tb) << "node " << i;
  }
  const double M = std::sqrt(c.Ab * c.P * c.k * c.h);
  EXPECT_NEAR(M * long_fin_heat_ratio(mL, mk, c.h) * (c.Tb - c.Tinf), c.qa, 1e-15 * c.qa);

  CaseRecord longer;
  solve_long_fin(longer, 159.0, 9);  // m·L ≈ 711.1: cosh overflows, the scaled form takes over
  EXPECT_NEAR(longer.qa, c.qa, 1e-15 * c.qa);
  EXPECT_EQ(longer.Ta[1], 100.0);
  EXPECT_EQ(longer.Ta[9], 25.0) << "θ at the tip is e^-711 of θb";
}

}  // namespace
}  // namespace fin
