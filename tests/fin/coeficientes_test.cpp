#include "fin/coeficientes.h"

#include <gtest/gtest.h>

#include <cmath>

#include "fin/tip_uds.h"
#include "fin/tip_uds2.h"

namespace fin {
namespace {

// Binary-exact data: dx = 0.5, m = 2, so dx²·m² = 1.
struct ExactCase {
  explicit ExactCase(std::int32_t n) {
    in.N = n;
    in.Tb = 100;
    in.Tinf = 25;
    in.h = 10;
    in.k = 200;
    mesh.N = n;
    mesh.dx = 0.5;
    for (NodeArray<double>* a : {&s.aw, &s.ae, &s.ap, &s.bp, &T}) a->create(n);
  }
  GeneralInput in;
  double m = 2;
  Mesh<double> mesh;
  DiscreteSystem<double> s;
  NodeArray<double> T;
};

TEST(Coefficients, BaseAndInteriorRows) {
  ExactCase c(5);
  build_base_node(c.in, c.s);
  build_interior_nodes(c.in, c.m, c.mesh, 1, c.s);
  EXPECT_EQ(c.s.ap[1], 1.0);
  EXPECT_EQ(c.s.aw[1], 0.0);
  EXPECT_EQ(c.s.ae[1], 0.0);
  EXPECT_EQ(c.s.bp[1], 100.0);
  for (std::int32_t i = 2; i <= 4; ++i) {
    EXPECT_EQ(c.s.aw[i], 1.0);
    EXPECT_EQ(c.s.ae[i], 1.0);
    EXPECT_EQ(c.s.ap[i], 3.0);   // 2 + dx²·m²
    EXPECT_EQ(c.s.bp[i], 25.0);  // Tinf·dx²·m²
  }
  EXPECT_EQ(c.s.ap[5], 0.0) << "the tip row is left to the tip builders";
}

TEST(Coefficients, InteriorRowsAreBitIdenticalCopies) {
  ExactCase c(50);
  c.mesh.dx = 0.1 / 49;
  c.m = std::sqrt(20.0);
  build_interior_nodes(c.in, c.m, c.mesh, 1, c.s);
  EXPECT_NEAR(c.s.ap[2], 2.0 + 0.1 * 0.1 / (49.0 * 49.0) * 20.0, 1e-15);
  for (std::int32_t i = 3; i <= 49; ++i) {
    EXPECT_EQ(c.s.ap[i], c.s.ap[2]);
    EXPECT_EQ(c.s.bp[i], c.s.bp[2]);
  }
}

TEST(Coefficients, TwoNodesHaveNoInteriorRow) {
  ExactCase c(2);
  build_interior_nodes(c.in, c.m, c.mesh, 1, c.s);
  EXPECT_EQ(c.s.ap[1], 0.0);
  EXPECT_EQ(c.s.ap[2], 0.0);
}

TEST(Coefficients, UdsTip) {
  ExactCase c(3);
  UdsTip<double>::row(c.in, c.mesh, c.T, c.s);
  EXPECT_EQ(c.s.aw[3], 200.0);
  EXPECT_EQ(c.s.ae[3], 0.0);
  EXPECT_EQ(c.s.ap[3], 205.0);  // h·dx + k
  EXPECT_EQ(c.s.bp[3], 125.0);  // h·Tinf·dx
}

TEST(Coefficients, Uds2TipDefersTheCorrection) {
  ExactCase c(4);
  for (std::int32_t i = 1; i <= 4; ++i) c.T[i] = 60;
  Uds2Tip<double>::row(c.in, c.mesh, c.T, c.s);
  EXPECT_EQ(c.s.aw[4], 600.0);  // 3k
  EXPECT_EQ(c.s.ae[4], 0.0);
  EXPECT_EQ(c.s.ap[4], 610.0);  // 3k + 2h·dx
  EXPECT_EQ(c.s.bp[4], 250.0) << "uniform field: no correction";
  c.T[3] = 70;
  c.T[2] = 72.5;
  Uds2Tip<double>::row(c.in, c.mesh, c.T, c.s);
  EXPECT_EQ(c.s.bp[4], 250.0 + 200.0 * -2.5);  // 2h·Tinf·dx + k·(T(N-1) - T(N-2))
}

TEST(Coefficients, ConvergedUds2TipEliminatesTheSecondNeighbour) {
  ExactCase c(4);
  build_interior_nodes(c.in, c.m, c.mesh, 1, c.s);
  Uds2Tip<double>::converged_row(c.in, c.mesh, c.s);
  EXPECT_EQ(c.s.aw[4], 200.0);   // k·(4 - ap(N-1)) with ap(N-1) = 3
  EXPECT_EQ(c.s.ae[4], 0.0);
  EXPECT_EQ(c.s.ap[4], 410.0);   // 2k + 2h·dx
  EXPECT_EQ(c.s.bp[4], 5250.0);  // 2h·Tinf·dx + k·bp(N-1) = 250 + 200·25
}

}  // namespace
}  // namespace fin
