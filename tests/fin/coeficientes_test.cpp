#include "fin/coeficientes.h"

#include <gtest/gtest.h>

#include <cmath>

namespace fin {
namespace {

// Binary-exact data: dx = 0.5, m = 2, so dx²·m² = 1.
void fill_exact_case(CaseRecord& c, std::int32_t n) {
  c.N = n;
  c.Tb = 100;
  c.Tinf = 25;
  c.h = 10;
  c.k = 200;
  c.dx = 0.5;
  c.m = 2;
  for (NodeArray* a : {&c.aw, &c.ae, &c.ap, &c.bp, &c.T}) a->create(n);
}

TEST(Coefficients, BaseAndInteriorRows) {
  CaseRecord c;
  fill_exact_case(c, 5);
  build_base_node(c);
  build_interior_nodes(c);
  EXPECT_EQ(c.ap[1], 1.0);
  EXPECT_EQ(c.aw[1], 0.0);
  EXPECT_EQ(c.ae[1], 0.0);
  EXPECT_EQ(c.bp[1], 100.0);
  for (std::int32_t i = 2; i <= 4; ++i) {
    EXPECT_EQ(c.aw[i], 1.0);
    EXPECT_EQ(c.ae[i], 1.0);
    EXPECT_EQ(c.ap[i], 3.0);   // 2 + dx²·m²
    EXPECT_EQ(c.bp[i], 25.0);  // Tinf·dx²·m²
  }
  EXPECT_EQ(c.ap[5], 0.0) << "the tip row is left to the tip builders";
}

TEST(Coefficients, InteriorRowsAreBitIdenticalCopies) {
  CaseRecord c;
  fill_exact_case(c, 50);
  c.dx = 0.1 / 49;
  c.m = std::sqrt(20.0);
  build_interior_nodes(c);
  EXPECT_NEAR(c.ap[2], 2.0 + 0.1 * 0.1 / (49.0 * 49.0) * 20.0, 1e-15);
  for (std::int32_t i = 3; i <= 49; ++i) {
    EXPECT_EQ(c.ap[i], c.ap[2]);
    EXPECT_EQ(c.bp[i], c.bp[2]);
  }
}

TEST(Coefficients, TwoNodesHaveNoInteriorRow) {
  CaseRecord c;
  fill_exact_case(c, 2);
  build_interior_nodes(c);
  EXPECT_EQ(c.ap[1], 0.0);
  EXPECT_EQ(c.ap[2], 0.0);
}

TEST(Coefficients, UdsTip) {
  CaseRecord c;
  fill_exact_case(c, 3);
  build_tip_uds(c);
  EXPECT_EQ(c.aw[3], 200.0);
  EXPECT_EQ(c.ae[3], 0.0);
  EXPECT_EQ(c.ap[3], 205.0);  // h·dx + k
  EXPECT_EQ(c.bp[3], 125.0);  // h·Tinf·dx
}

TEST(Coefficients, Uds2TipDefersTheCorrection) {
  CaseRecord c;
  fill_exact_case(c, 4);
  for (std::int32_t i = 1; i <= 4; ++i) c.T[i] = 60;
  build_tip_uds2(c);
  EXPECT_EQ(c.aw[4], 600.0);  // 3k
  EXPECT_EQ(c.ae[4], 0.0);
  EXPECT_EQ(c.ap[4], 610.0);  // 3k + 2h·dx
  EXPECT_EQ(c.bp[4], 250.0) << "uniform field: no correction";
  c.T[3] = 70;
  c.T[2] = 72.5;
  build_tip_uds2(c);
  EXPECT_EQ(c.bp[4], 250.0 + 200.0 * -2.5);  // 2h·Tinf·dx + k·(T(N-1) - T(N-2))
}

}  // namespace
}  // namespace fin
