// Repeated Richardson extrapolation on values whose error expansion is chosen by hand.
#include "malhas/verification/extrapolation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>

#include "malhas/verification/extrapolations.h"

namespace malhas {
namespace {

// Meshes of N nodes, spacing h = 1/(N - 1), value 1 + sum of c h^p over `terms` (p, c).
std::vector<MeshValue<double>> meshes(std::vector<std::int32_t> Ns,
                                      std::vector<std::pair<int, double>> terms) {
  std::vector<MeshValue<double>> out;
  for (std::int32_t N : Ns) {
    const double h = 1.0 / (N - 1);
    double value = 1;
    for (const auto& [p, c] : terms) value += c * whole_power(h, p);
    out.push_back({N, h, value, 1});
  }
  return out;
}

const LevelValue<double>& at(const std::vector<LevelValue<double>>& table, int level, std::int32_t N) {
  for (const LevelValue<double>& v : table) {
    if (v.level == level && v.N == N) return v;
  }
  throw std::runtime_error("no such value");
}

TEST(Extrapolation, EachLevelRemovesItsTerm) {
  // E = -(h^2 + h^3) on h = 1/2, 1/4, 1/8, 1/16. Level 1 (order 2): (4 fine - coarse)/3 leaves
  // h_c^3 (1/2 - 1)/3 = -h_c^3/6 with h_c the coarse spacing: -1/48 on N = 5, of order 3;
  // level 2 (order 3) then leaves nothing.
  const auto table = extrapolation_table(meshes({3, 5, 9, 17}, {{2, 1}, {3, 1}}), {2, 3, 4});
  ASSERT_EQ(table.size(), 4u + 3 + 2 + 1);
  EXPECT_DOUBLE_EQ(at(table, 1, 5).value, 1 - 1.0 / 48);
  EXPECT_NEAR(at(table, 1, 5).error, 1.0 / 48, 1e-15);  // 1 - value: its rounding shows
  EXPECT_EQ(at(table, 1, 5).removed_order, 2);
  EXPECT_FALSE(at(table, 1, 5).order.defined);
  EXPECT_NEAR(at(table, 1, 9).order.value, 3, 1e-12);
  EXPECT_NEAR(at(table, 2, 9).value, 1, 1e-15);
  EXPECT_NEAR(at(table, 3, 17).value, 1, 1e-15);
  EXPECT_NEAR(at(table, 0, 17).order.value, std::log2(72.0 / 17), 1e-12);  // (9/512) / (17/4096)
}

TEST(Extrapolation, RatioIsThatOfTheTwoMeshesAndLevelsStopAtTheOrdersGiven) {
  // Spacings 1/2, 1/6, 1/18: ratio 3; E = -h: level 1 with r = 3 is exact.
  const auto table = extrapolation_table(meshes({3, 7, 19}, {{1, 1}}), {1});
  ASSERT_EQ(table.size(), 3u + 2);
  EXPECT_NEAR(at(table, 1, 7).value, 1, 1e-15);
  EXPECT_NEAR(at(table, 1, 19).value, 1, 1e-15);
}

TEST(Extrapolation, StopsBeforeALevelTheArithmeticCannotHold) {
  // Ratio 2^29 to the power 40 is 2^1160, past the largest double: level 1 is left out whole.
  const auto table = extrapolation_table(meshes({3, (1 << 30) + 1}, {{1, 1}}), {40});
  ASSERT_EQ(table.size(), 2u);
  EXPECT_EQ(table.back().level, 0);
}

TEST(Extrapolation, ResolutionCarriesThroughTheLevelsAndNoiseChoosesNothing) {
  // E = -(h^2 + h^3) on h = 1/2, 1/4, 1/8: level 1 leaves h_c^3/6 (1/48 on N = 5, 1/384 on
  // N = 9), level 2 nothing. The values are known within s, 4s and 16s (a reference's round-off
  // grows like N^2); level 1 combines them with r^2 = 4, level 2 with r^3 = 8.
  for (const double s : {1e-4, 1e-3}) {
    std::vector<MeshValue<double>> values = meshes({3, 5, 9}, {{2, 1}, {3, 1}});
    for (std::size_t k = 0; k < values.size(); ++k) values[k].resolution = s * std::pow(4, k);
    const auto table = extrapolation_table(values, {2, 3});
    EXPECT_DOUBLE_EQ(at(table, 1, 9).resolution, (4 * 16 * s + 4 * s) / 3) << s;
    EXPECT_DOUBLE_EQ(at(table, 2, 9).resolution, (8 * 68 * s / 3 + 17 * s / 3) / 7) << s;
    EXPECT_TRUE(below_resolution(at(table, 2, 9))) << s;
    const LevelValue<double>* best = best_estimate(table);
    ASSERT_NE(best, nullptr);
    if (s == 1e-4) {
      // Level 1's 1/384 = 2.60e-3 is above its 2.27e-3 and below what level 2 can vouch for,
      // 2.67e-3, though level 2's own error is 0.
      EXPECT_NEAR(at(table, 1, 9).order.value, 3, 1e-12);
      EXPECT_EQ(best->level, 1);
    } else {
      // Level 1 is within its 2.27e-2: no order from it, and the measured level 0 (1.76e-2) is
      // the best that can be told.
      EXPECT_EQ(at(table, 1, 9).order.reason, "erro abaixo da resolu\u00e7\u00e3o da refer\u00eancia");
      EXPECT_EQ(best->level, 0);
    }
  }
}

TEST(Extrapolation, BestEstimateIsTheSmallestTrueErrorOnTheFinestMesh) {
  QuantityExtrapolation e{fin::TipScheme::Uds2, Quantity::Qdds2, extrapolation_table(meshes({3, 5, 9}, {{2, 1}, {3, 1}}), {2, 3}), {}};
  const LevelValue<double>* best = best_estimate(e.table);
  ASSERT_NE(best, nullptr);
  EXPECT_EQ(best->N, 9);
  EXPECT_EQ(best->level, 2);
  e.table.clear();
  EXPECT_EQ(best_estimate(e.table), nullptr);
}

}  // namespace
}  // namespace malhas
