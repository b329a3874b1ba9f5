// The reference's resolution on fins far from the examples (its size against mpmath is
// tests/quad/check_reference_resolution.py): computed inside the reference's held traps, it must
// raise no exception where the double case completes, or the reference would be lost.
#include "malhas/verification/reference_resolution.h"

#include <gtest/gtest.h>

#include <cfenv>
#include <cmath>

namespace malhas {
namespace {

TEST(ReferenceResolution, FiniteAndQuietOnLongShortAndFineFins) {
  struct Fin {
    const char* what;
    fin::FinProperties<double> fin;
    std::int32_t N;
  };
  const Fin fins[] = {
      {"example", {80, 20, 25, 180, 2.0e-5, 0.024, 0.05}, 21},
      {"long: cosh(mL) overflows", {80, 20, 25, 180, 2.0e-5, 0.024, 1e3}, 21},
      {"very long", {80, 20, 25, 180, 2.0e-5, 0.024, 1e150}, 3},
      {"almost no convection: mL near 0", {80, 20, 1e-300, 180, 2.0e-5, 0.024, 0.05}, 21},
      {"finest generated mesh", {80, 20, 25, 180, 2.0e-5, 0.024, 0.05}, (1 << 24) + 1},
  };
  for (const Fin& f : fins) {
    std::feclearexcept(FE_ALL_EXCEPT);
    const std::array<double, 3> resolution = reference_resolution(f.fin, f.N, 1.6);
    EXPECT_FALSE(std::fetestexcept(FE_OVERFLOW | FE_INVALID | FE_DIVBYZERO)) << f.what;
    for (double r : resolution) {
      EXPECT_TRUE(std::isfinite(r) && r > 0) << f.what << ": " << r;
    }
  }
}

}  // namespace
}  // namespace malhas
