// A study's mesh as the fin model computes it: the profile it keeps for the plots is made of
// nodes whose exact temperature the case computed, each with its own position and numerical
// temperature.
#include "malhas/fin_mesh.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>
#include <cstdint>

#include "fin/tip_scheme.h"
#include "tests/fin/worked_case.h"

namespace malhas {
namespace {

// θ(x) + Tinf of the worked fin, written out from the exact solution in long double:
// θ(x)/θb = [cosh m(L - x) + (h/mk)·sinh m(L - x)] / [cosh mL + (h/mk)·sinh mL].
long double exact_temperature(const fin::GeneralInput& in, long double x) {
  const long double m = std::sqrt(static_cast<long double>(in.h) * in.P / (in.k * in.Ab));
  const long double a = in.h / (m * in.k);
  const long double L = in.L;
  const long double ratio = (std::cosh(m * (L - x)) + a * std::sinh(m * (L - x))) /
                            (std::cosh(m * L) + a * std::sinh(m * L));
  return ratio * (in.Tb - in.Tinf) + in.Tinf;
}

TEST(FinMesh, ProfileSampleHoldsEachSampledNodesOwnValues) {
  struct Row {
    std::int32_t N;
    std::size_t points;  // every node up to 257 nodes; beyond, every ⌈(N - 1)/256⌉-th and the tip
    double last_spacing;  // between the last two points, in intervals of the mesh
  };
  for (const Row& row : {Row{21, 21, 1}, Row{1001, 251, 4}, Row{2050, 229, 6}}) {
    SCOPED_TRACE("N = " + std::to_string(row.N));
    const fin::GeneralInput in = fin::testing::worked_input(fin::TipScheme::Uds, row.N);
    const MeshOutcome outcome = compute_fin_mesh(in, {}, {fin::TipScheme::Uds, row.N}, false);
    ASSERT_FALSE(outcome.failed());
    const ProfileSample& p = outcome.profile;
    ASSERT_EQ(p.x.size(), row.points);
    ASSERT_EQ(p.T.size(), row.points);
    ASSERT_EQ(p.Ta.size(), row.points);
    const double dx = in.L / (row.N - 1);
    EXPECT_EQ(p.x.front(), 0.0);
    EXPECT_NEAR(p.x.back(), in.L, 1e-15);
    EXPECT_NEAR(p.x.back() - p.x[row.points - 2], row.last_spacing * dx, 1e-15);
    // The numerical error of UDS grows from 0 at the base to its largest at the tip.
    const double tip_error = std::fabs(outcome.exact[0] - outcome.value[0]);
    for (std::size_t k = 0; k < row.points; ++k) {
      const long double expected = exact_temperature(in, p.x[k]);
      EXPECT_NEAR(p.Ta[k], static_cast<double>(expected), 1e-12) << "point " << k;
      EXPECT_LE(std::fabs(p.T[k] - p.Ta[k]), tip_error * (1 + 1e-9)) << "point " << k;
    }
    EXPECT_EQ(p.Ta.back(), outcome.exact[0]) << "the tip is the last point";
  }
}

}  // namespace
}  // namespace malhas
