// What the charts draw, read back from the SVG through its axes and held against the data.
#include "malhas/presentation/plots.h"

#include <gtest/gtest.h>

#include <cmath>

#include "tests/malhas/presentation/chart_reading.h"

namespace malhas {
namespace {

// UDS-2 on N = 3, 5, 9, 17 of a fin 0.05 long; the tip errors 1e-1, 2.5e-2, 6.25e-3 (p_E = 2)
// and then 6.25e-3 / 256 (p_E = 8); qdds1 and qdds2 halve their error each time.
std::vector<SchemeStudy> study() {
  const double tip[] = {1e-1, 2.5e-2, 6.25e-3, 6.25e-3 / 256};
  std::vector<MeshOutcome> meshes;
  for (int k = 0; k < 4; ++k) {
    MeshOutcome m;
    m.N = (2 << k) + 1;
    m.dx = 0.05 / (m.N - 1);
    m.exact = {70, 1.5, 1.5};
    m.value = {70 - tip[k], 1.5 - 0.1 / (1 << k), 1.5 - 0.1 / (1 << k)};
    for (int i = 0; i <= 4; ++i) {  // Ta differs between meshes: only the mesh's own fits
      const double x = 0.0125 * i;
      m.profile.x.push_back(x);
      m.profile.Ta.push_back(20 + 1000 * x + k);
      m.profile.T.push_back(20 + 1000 * x + k + (k + 1) * 0.01 * i);
    }
    meshes.push_back(m);
  }
  std::vector<SchemeStudy> studies{analyse(fin::TipScheme::Uds2, std::move(meshes))};
  for (QuantityAnalysis& a : studies[0].rows[1]) a.iteration = true;  // marked in every quantity
  return studies;
}

// Coordinates are written to 0.01 of a unit: on a log axis of ten decades, about 1e-4 relative.
void expect_close(double drawn, double data, double tolerance, const std::string& what) {
  EXPECT_NEAR(drawn, data, tolerance * std::fabs(data)) << what;
}

TEST(Plots, ErrorChartDrawsEachErrorAtItsSpacingMarkedMeshesAsRingsAndSlopesBelow) {
  const std::vector<SchemeStudy> s = study();
  const DrawnChart chart = read_chart(svg_chart(error_chart(s)));
  const std::vector<DrawnPoint>& tip = chart.series.at("T(N)");
  ASSERT_EQ(tip.size(), 4u);
  for (std::size_t k = 0; k < 4; ++k) {
    const QuantityAnalysis& a = s[0].rows[k][index_of(Quantity::TipTemperature)];
    expect_close(tip[k].x, s[0].meshes[k].dx, 1e-3, "dx " + std::to_string(k));
    expect_close(tip[k].y, std::fabs(a.error), 1e-3, "|E| " + std::to_string(k));
    EXPECT_EQ(tip[k].open, k == 1 || a.round_off) << k;
    EXPECT_TRUE(tip[k].marked) << k;
  }
  for (const char* reference : {"ordem 1", "ordem 2"}) {
    const std::vector<DrawnPoint>& line = chart.series.at(reference);
    ASSERT_EQ(line.size(), 2u);
    const double slope = std::log(line[1].y / line[0].y) / std::log(line[1].x / line[0].x);
    for (const auto& [name, points] : chart.series) {
      if (name.rfind("ordem", 0) == 0) continue;
      for (const DrawnPoint& p : points) {
        EXPECT_LT(line[0].y * std::pow(p.x / line[0].x, slope), p.y) << reference << " over " << name;
      }
    }
  }
}

TEST(Plots, OrderChartHoldsOffScalePointsAtItsEdgeAndSaysSo) {
  const std::vector<SchemeStudy> s = study();
  const DrawnChart chart = read_chart(svg_chart(order_chart(s)));
  const std::vector<DrawnPoint>& pE = chart.series.at("p_E T(N)");
  ASSERT_EQ(pE.size(), 3u);
  for (std::size_t k = 0; k < 2; ++k) {
    EXPECT_NEAR(pE[k].x, s[0].meshes[k + 1].dx, 1e-4 * s[0].meshes[k + 1].dx);
    EXPECT_NEAR(pE[k].y, 2, 1e-3);
    EXPECT_FALSE(pE[k].at_edge);
  }
  // p_E = 8 lies past p_L + 1.5 = 3.5: on the top edge (the tick above, 4), as a triangle.
  EXPECT_TRUE(pE[2].at_edge);
  EXPECT_NEAR(pE[2].y, 4, 1e-3);
  bool noted = false;
  for (const DrawnChart::Text& t : chart.texts) {
    noted |= t.body == "1 ponto fora da escala, desenhado na borda (triângulo)";
  }
  EXPECT_TRUE(noted);
}

TEST(Plots, ProfileChartDrawsEachMeshsErrorAgainstItsOwnExactProfile) {
  const std::vector<SchemeStudy> s = study();
  const DrawnChart chart = read_chart(svg_chart(profile_chart(s)));
  ASSERT_EQ(chart.series.size(), 2u);
  for (std::size_t k : {0u, 3u}) {
    const MeshOutcome& mesh = s[0].meshes[k];
    const std::vector<DrawnPoint>& drawn = chart.series.at("N = " + std::to_string(mesh.N));
    ASSERT_EQ(drawn.size(), mesh.profile.x.size());
    for (std::size_t i = 0; i < drawn.size(); ++i) {
      EXPECT_NEAR(drawn[i].x, mesh.profile.x[i], 1e-5) << k;
      EXPECT_NEAR(drawn[i].y, mesh.profile.T[i] - mesh.profile.Ta[i], 1e-5) << k << " " << i;
    }
  }
}

TEST(Plots, ExtrapolationChartDrawsEachLevelsErrorAtItsSpacing) {
  std::vector<SchemeStudy> s = study();
  for (MeshOutcome& m : s[0].meshes) {  // a reference whose discrete errors are three times these
    m.reference = QuadReference{};
    for (std::size_t i = 0; i < 3; ++i) {
      m.reference->exact[i] = m.exact[i];
      m.reference->converged[i] = m.exact[i] - 3 * (m.exact[i] - m.value[i]);
    }
  }
  const std::vector<QuantityExtrapolation> e = extrapolate(s);
  const DrawnChart chart = read_chart(svg_chart(extrapolation_chart(e)));
  // qdds2 has first-order errors: level 1 leaves them; the quadruple levels are drawn as rings.
  const auto expect_level1 = [&](const std::string& name, const auto& table, bool open) {
    const std::vector<DrawnPoint>& level1 = chart.series.at(name);
    std::size_t i = 0;
    for (const auto& v : table) {
      if (v.level != 1) continue;
      ASSERT_LT(i, level1.size()) << name;
      expect_close(level1[i].x, v.dx, 1e-3, name + " dx");
      expect_close(level1[i].y, std::fabs(static_cast<double>(v.error)), 1e-3, name + " |erro|");
      EXPECT_EQ(level1[i].open, open) << name;
      ++i;
    }
    EXPECT_EQ(i, level1.size()) << name;
  };
  expect_level1("qdds2 nível 1", e[2].table, false);
  expect_level1("qdds2 nível 1 quádrupla", e[2].quad_table, true);
  EXPECT_NEAR(static_cast<double>(e[2].quad_table[4].error), 3 * e[2].table[4].error, 1e-15);
}

TEST(Plots, PageHoldsTheWholeLegend) {
  Chart chart{"t", {"x", true}, {"y", true}, {}, {"uma nota"}};
  for (int i = 0; i < 40; ++i) {
    chart.series.push_back({"N = 1000001 UDS-2 série " + std::to_string(i), {{1e-3, 1e-2}, {1e-2, 1}}, "black"});
  }
  const DrawnChart drawn = read_chart(svg_chart(chart));
  std::size_t legend_texts = 0;
  for (const DrawnChart::Text& t : drawn.texts) {
    if (t.anchor != "start") continue;
    ++legend_texts;
    // DejaVu Sans, rsvg's usual sans-serif, is at most 0.65 em wide for these characters.
    EXPECT_LE(t.x + 0.65 * 12 * static_cast<double>(t.body.size()), drawn.width) << t.body;
    EXPECT_LE(t.y + 5, drawn.height) << t.body;
  }
  EXPECT_EQ(legend_texts, 41u);
}

}  // namespace
}  // namespace malhas
