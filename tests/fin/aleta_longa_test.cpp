#include "fin/aleta_longa.h"

#include <gtest/gtest.h>

#include <cmath>

#include "fin/pos_processamento.h"
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

// The worked fin stretched to length L (m = √20): its inputs, mesh and exact solution.
struct LongFin {
  LongFin(double length, int nodes) : in(testing::worked_input(TipScheme::Uds, nodes)) {
    in.L = length;
    c = prepare_case<double>(in, in.mesh_choice());
    analytical_solution(c.fin, c.m, c.mesh, 1, c.exact);
  }
  GeneralInput in;
  Case<double> c;
};

double relative_difference(long double a, long double b) {
  return static_cast<double>(std::fabs((a - b) / b));
}

TEST(LongFin, AgreesWithAHighPrecisionEvaluation) {
  const Reference exact;
  for (double L : {160.0, 300.0, 1000.0, -300.0}) {
    const LongFin fin(L, 11);
    const GeneralInput& in = fin.in;
    const Mesh<double>& mesh = fin.c.mesh;
    const ExactSolution<double>& e = fin.c.exact;
    const long double mL = fin.c.m * in.L;  // the same double product the program forms
    const long double a = static_cast<long double>(in.h) / (static_cast<long double>(fin.c.m) * in.k);
    const double mk = fin.c.m * in.k;
    for (std::int32_t i = 1; i <= mesh.N; ++i) {
      const double z = (in.L - mesh.x[i]) * fin.c.m;
      const long double ratio = exact.theta_ratio(z, mL, a);
      EXPECT_NEAR(e.Ta[i], in.Tinf + ratio * (in.Tb - in.Tinf), 1e-15 * in.Tb) << "L " << L << " node " << i;
      if (ratio > 1e-300L) {  // the scaled ratio itself, before Tinf absorbs it
        EXPECT_LT(relative_difference(long_fin_temperature_ratio(z, fin.c.m * in.L, mk, in.h), ratio), 1e-12)
            << "L " << L << " node " << i;
      }
    }
    const long double q = std::sqrt(static_cast<long double>(in.h) * in.P * in.k * in.Ab) *
                          (in.Tb - in.Tinf) * exact.heat_ratio(mL, a);
    EXPECT_LT(relative_difference(e.qa, q), 1e-14) << "L " << L;
  }
}

TEST(LongFin, ScaledFormContinuesTheDirectFormAtTheThreshold) {
  // Just short of the overflow the direct form is still used; the scaled form evaluated at the
  // same point agrees with it to rounding.
  const LongFin fin(158.8, 9);  // m·L ≈ 710.18, cosh(mL) just below the largest double
  const GeneralInput& in = fin.in;
  const Mesh<double>& mesh = fin.c.mesh;
  const ExactSolution<double>& e = fin.c.exact;
  const double mL = fin.c.m * in.L;
  const double mk = fin.c.m * in.k;
  ASSERT_TRUE(std::isfinite(std::cosh(mL)));
  for (std::int32_t i = 1; i <= mesh.N; ++i) {
    const double z = (in.L - mesh.x[i]) * fin.c.m;
    const double scaled = long_fin_temperature_ratio(z, mL, mk, in.h) * (in.Tb - in.Tinf) + in.Tinf;
    EXPECT_NEAR(scaled, e.Ta[i], 1e-13 * in.Tb) << "node " << i;
  }
  const double M = std::sqrt(in.Ab * in.P * in.k * in.h);
  EXPECT_NEAR(M * long_fin_heat_ratio(mL, mk, in.h) * (in.Tb - in.Tinf), e.qa, 1e-15 * e.qa);

  const LongFin longer(159.0, 9);  // m·L ≈ 711.1: cosh overflows, the scaled form takes over
  EXPECT_NEAR(longer.c.exact.qa, e.qa, 1e-15 * e.qa);
  EXPECT_EQ(longer.c.exact.Ta[1], 100.0);
  EXPECT_EQ(longer.c.exact.Ta[9], 25.0) << "θ at the tip is e^-711 of θb";
}

}  // namespace
}  // namespace fin
