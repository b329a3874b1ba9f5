// estimadores.svg read back through its axes: each estimator's effectivity where it applies,
// lines only between consecutive meshes, the line U = |E| over the shaded region below it, and
// the estimators missing from a panel named.
#include <gtest/gtest.h>

#include <cmath>

#include "malhas/presentation/plots.h"
#include "malhas/presentation/svg_chart.h"
#include "tests/malhas/presentation/chart_checks.h"
#include "tests/malhas/presentation/chart_reading.h"

namespace malhas {
namespace {

// UDS (p_L = 1) on N = 3, 5, ..., 65, every quantity 1 less the errors
// 0.16, 0.08, 0.04, 0.03, 0.015, 0.0075: the differences of the values are 0.08, 0.04, 0.01,
// 0.015, 0.0075, so three meshes converge monotonically everywhere but at 33 nodes (0.015 after
// 0.01: a divergence, no p_U). Mesh 17 is marked in every quantity.
SchemeStudy uds_study() {
  const double errors[] = {0.16, 0.08, 0.04, 0.03, 0.015, 0.0075};
  std::vector<MeshOutcome> meshes;
  for (int k = 0; k < 6; ++k) {
    MeshOutcome m;
    m.N = (2 << k) + 1;
    m.dx = 1.0 / (m.N - 1);
    m.exact = {1, 1, 1};
    m.value = {1 - errors[k], 1 - errors[k], 1 - errors[k]};
    meshes.push_back(m);
  }
  SchemeStudy s = analyse(fin::TipScheme::Uds, std::move(meshes));
  for (QuantityAnalysis& a : s.rows[3]) a.round_off = true;
  return s;
}

DrawnChart drawn(const std::vector<SchemeStudy>& studies) {
  return read_chart(svg_chart(estimator_chart(studies, judge_estimators(studies, 4))));
}

// Every series of the panel with that name, one per run of consecutive meshes.
std::vector<const DrawnSeries*> runs(const DrawnPanel& panel, const std::string& name) {
  std::vector<const DrawnSeries*> found;
  for (const DrawnSeries& s : panel.series) {
    if (s.name == name) found.push_back(&s);
  }
  return found;
}

struct Expected {
  double dx, effectivity;
};

void expect_run(const DrawnSeries& run, const std::vector<Expected>& points, const std::string& what) {
  ASSERT_EQ(run.points.size(), points.size()) << what;
  for (std::size_t i = 0; i < points.size(); ++i) {
    EXPECT_NEAR(run.points[i].x, points[i].dx, 1e-3 * points[i].dx) << what << " " << i;
    EXPECT_NEAR(run.points[i].y, points[i].effectivity, 1e-3 * points[i].effectivity) << what << " " << i;
  }
}

// By hand, with r = 2: GCI(p_L) = 3 |d| / (2 - 1) with d the last difference; on 9 nodes
// p_U = log2(0.08 / 0.04) = 1 and GCI(p_U) = 1.25 · 0.04 = 0.05, against E = 0.04; on 17 nodes
// p_U = log2(0.04 / 0.01) = 2, GCI(p_U) = 1.25 · 0.01 / 3, against E = 0.03; on 65 nodes
// p_U = 1 again, 1.25 · 0.0075 against 0.0075.
TEST(EstimatorChart, DrawsEachEstimatorsEffectivityAndJoinsOnlyConsecutiveMeshes) {
  const SchemeStudy s = uds_study();
  const DrawnChart chart = drawn({s});
  ASSERT_EQ(chart.panels.size(), 3u);
  const DrawnPanel& tip = chart.panel("T(N)");
  EXPECT_EQ(tip.y_title, "U/|E|");
  const std::vector<const DrawnSeries*> asymptotic = runs(tip, "GCI(p_L)");
  ASSERT_EQ(asymptotic.size(), 1u);
  expect_run(*asymptotic[0], {{0.25, 3 * 0.08 / 0.08}, {0.125, 3 * 0.04 / 0.04}, {0.0625, 3 * 0.01 / 0.03},
                              {0.03125, 3 * 0.015 / 0.015}, {0.015625, 3 * 0.0075 / 0.0075}},
             "GCI(p_L)");
  EXPECT_TRUE(asymptotic[0]->points[2].ringed) << "the marked mesh, 17 nodes";
  EXPECT_FALSE(asymptotic[0]->points[1].ringed);
  const std::vector<const DrawnSeries*> apparent = runs(tip, "GCI(p_U)");
  ASSERT_EQ(apparent.size(), 2u) << "no line across 33 nodes, where p_U is divergent";
  expect_run(*apparent[0], {{0.125, 1.25}, {0.0625, 1.25 * 0.01 / 3 / 0.03}}, "GCI(p_U) before");
  expect_run(*apparent[1], {{0.015625, 1.25}}, "GCI(p_U) after");
  EXPECT_EQ(runs(tip, "FS").size(), 2u) << "it applies where GCI(p_U) does";
  EXPECT_EQ(runs(tip, "MQ").size(), 1u);
  EXPECT_TRUE(runs(tip, "GCI(osc)").empty());
  EXPECT_NE(asymptotic[0]->colour, apparent[0]->colour);
  EXPECT_NE(asymptotic[0]->points[0].shape, apparent[0]->points[0].shape);
  expect_legible(chart, "estimadores.svg");
}

TEST(EstimatorChart, ShadesTheRegionBelowTheLineWhereAnEstimatorUnderstates) {
  const DrawnChart chart = drawn({uds_study()});
  for (const DrawnPanel& panel : chart.panels) {
    const std::vector<DrawnPoint>& line = panel.at("U = |E|").points;
    ASSERT_EQ(line.size(), 2u);
    EXPECT_NEAR(line[0].y, 1, 1e-3);
    EXPECT_NEAR(line[1].y, 1, 1e-3);
    ASSERT_EQ(panel.bands.size(), 1u) << panel.title;
    EXPECT_EQ(panel.bands[0].name, "U < |E|: o estimador subestimou o erro");
    // GCI(p_U) on 17 nodes, 0.139, lies inside the band, which reaches from the plot's bottom
    // up to 1; the points at 1.25 lie above it.
    const DrawnSeries& apparent = *runs(panel, "GCI(p_U)").at(0);
    for (const DrawnPoint& p : apparent.points) {
      double top = 0;
      ASSERT_TRUE(panel.bands[0].top_at(p.px, top)) << panel.title;
      EXPECT_NEAR(panel.y.value(top), 1, 1e-3);
      EXPECT_EQ(p.py > top, p.y < 1) << panel.title << " at dx = " << p.x;
    }
  }
  const std::vector<std::string> legend = {"U < |E|: o estimador subestimou o erro", "U = |E|", "GCI(p_L)",
                                           "GCI(p_U)", "FS", "MQ"};
  EXPECT_EQ(chart.legend, legend) << "each estimator once, in order, though drawn in several runs";
}

TEST(EstimatorChart, NamesTheEstimatorsMissingFromAPanelWithTheReason) {
  SchemeStudy short_study = uds_study();  // three meshes: no least-squares fit, no oscillation
  short_study.meshes.resize(3);
  short_study = analyse(short_study.scheme, short_study.meshes);
  SchemeStudy one_mesh = short_study;
  one_mesh.meshes.resize(1);
  one_mesh.scheme = fin::TipScheme::Uds2;
  one_mesh = analyse(one_mesh.scheme, one_mesh.meshes);
  const DrawnChart chart = drawn({short_study, one_mesh});
  auto noted = [&](const std::string& text) {
    for (const std::string& note : chart.notes) {
      if (note == text) return true;
    }
    return false;
  };
  EXPECT_TRUE(noted("UDS T(N), qdds1, qdds2: sem GCI(osc) (sem convergência oscilatória)"));
  EXPECT_TRUE(noted("UDS T(N), qdds1, qdds2: sem MQ (malhas insuficientes)"));
  EXPECT_TRUE(noted("UDS-2 T(N), qdds1, qdds2: sem GCI(p_L), GCI(p_U), GCI(osc), FS e MQ (malhas insuficientes)"));
  EXPECT_TRUE(chart.panel("UDS-2 \xC2\xB7 T(N)").series.empty()) << "nothing judged: no line either";
  expect_legible(chart, "estimadores.svg");
}

}  // namespace
}  // namespace malhas
