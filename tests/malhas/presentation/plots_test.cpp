// What the charts draw, read back from the SVG through their axes and held against the data, and
// whether a reader can read them (tests/malhas/presentation/chart_checks.h).
#include "malhas/presentation/plots.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "malhas/presentation/svg_chart.h"
#include "tests/malhas/presentation/chart_checks.h"
#include "tests/malhas/presentation/chart_reading.h"

namespace malhas {
namespace {

// `scheme` on N = 3, 5, 9, 17 of a fin 0.05 long; the tip errors 1e-1, 2.5e-2, 6.25e-3 (p_E = 2)
// and then 6.25e-3 / 256 (p_E = 8); qdds1 and qdds2 halve their error each time. Mesh 1 is
// marked in every quantity. Along the fin, E = Ta - T = -(k + 1)·0.01·i at x = 0.0125·i.
SchemeStudy study(fin::TipScheme scheme = fin::TipScheme::Uds2) {
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
  SchemeStudy s = analyse(scheme, std::move(meshes));
  for (QuantityAnalysis& a : s.rows[1]) a.iteration = true;
  return s;
}

// Both schemes on the same values: every series of one lies on the other's.
std::vector<SchemeStudy> both_schemes() { return {study(fin::TipScheme::Uds), study(fin::TipScheme::Uds2)}; }

// A converged reference whose discrete errors are three times the double ones: the budget's
// parts are then 3E (discretisation), 0 (iteration) and -2E (round-off).
std::vector<SchemeStudy> with_reference(std::vector<SchemeStudy> studies) {
  for (SchemeStudy& s : studies) {
    for (MeshOutcome& m : s.meshes) {
      m.reference = QuadReference{};
      for (std::size_t i = 0; i < 3; ++i) {
        m.reference->exact[i] = m.exact[i];
        m.reference->converged[i] = m.reference->iterated[i] = m.exact[i] - 3 * (m.exact[i] - m.value[i]);
      }
    }
    s = analyse(s.scheme, s.meshes);
  }
  return studies;
}

// Coordinates are written to 0.01 of a pixel: on a log axis of a few decades, about 1e-4.
void expect_close(double drawn, double data, double tolerance, const std::string& what) {
  EXPECT_NEAR(drawn, data, tolerance * std::fabs(data)) << what;
}

bool has_note(const DrawnChart& chart, const std::string& text) {
  for (const std::string& note : chart.notes) {
    if (note.find(text) != std::string::npos) return true;
  }
  return false;
}

TEST(Plots, ErrorChartDrawsEachSchemeInThePanelOfItsQuantityAndSlopesBelow) {
  const std::vector<SchemeStudy> s{study()};
  const DrawnChart chart = read_chart(svg_chart(error_chart(s)));
  ASSERT_EQ(chart.panels.size(), 3u);
  for (Quantity q : kQuantities) {
    const DrawnPanel& panel = chart.panels[index_of(q)];
    const std::vector<DrawnPoint>& points = panel.at("UDS-2").points;
    ASSERT_EQ(points.size(), 4u) << panel.title;
    for (std::size_t k = 0; k < 4; ++k) {
      expect_close(points[k].x, s[0].meshes[k].dx, 1e-3, panel.title + " dx");
      expect_close(points[k].y, std::fabs(s[0].meshes[k].exact[index_of(q)] - s[0].meshes[k].value[index_of(q)]),
                   1e-3, panel.title + " |E|");
      EXPECT_EQ(points[k].ringed, k == 1) << panel.title << " " << k;
    }
    for (const char* reference : {"ordem 1", "ordem 2"}) {
      const std::vector<DrawnPoint>& line = panel.at(reference).points;
      ASSERT_EQ(line.size(), 2u);
      const double slope = std::log(line[1].y / line[0].y) / std::log(line[1].x / line[0].x);
      EXPECT_NEAR(slope, reference[6] - '0', 1e-3);
      for (const DrawnPoint& p : points) {
        EXPECT_LT(line[0].y * std::pow(p.x / line[0].x, slope), p.y) << reference << " over " << panel.title;
      }
    }
  }
  EXPECT_EQ(chart.panels[0].y_title, "|E| [ºC]");
  EXPECT_EQ(chart.panels[1].y_title, "|E| [W]");
}

TEST(Plots, SchemesInOnePanelDifferInColourAndMarkerAndTheLaterLeavesTheEarlierInSight) {
  const DrawnChart chart = read_chart(svg_chart(error_chart(both_schemes())));
  for (const DrawnPanel& panel : chart.panels) {
    const DrawnSeries& uds = panel.at("UDS");
    const DrawnSeries& uds2 = panel.at("UDS-2");
    EXPECT_NE(uds.colour, uds2.colour);
    for (std::size_t k = 0; k < uds.points.size(); ++k) {
      EXPECT_NE(uds.points[k].shape, uds2.points[k].shape);
      EXPECT_NEAR(uds.points[k].px, uds2.points[k].px, 0.01);  // the same values, on one spot
      EXPECT_FALSE(uds.points[k].hollow);
      EXPECT_TRUE(uds2.points[k].hollow) << "drawn over the first scheme, it must not cover it";
    }
  }
  EXPECT_TRUE(has_note(chart, "\xC2\xABUDS\xC2\xBB coincide")) << "the covered series is named";
}

TEST(Plots, OrderAxisSpansOneAndAHalfAroundTheAsymptoticOrdersAndDrawsEveryPointPastIt) {
  struct Case {
    std::vector<SchemeStudy> studies;
    double tip_low, tip_high, qdds1_low, qdds1_high;
    std::size_t held;
  };
  // T(N): p_L 2 for UDS-2, 1 for UDS; qdds1: p_L 1 for both. p_E = 8 of T(N) on the finest mesh
  // lies above: one triangle per scheme, even where both fall on one spot.
  const Case cases[] = {{{study()}, 0.5, 3.5, -0.5, 2.5, 1}, {both_schemes(), -0.5, 3.5, -0.5, 2.5, 2}};
  for (const Case& c : cases) {
    const DrawnChart chart = read_chart(svg_chart(order_chart(c.studies)));
    const DrawnPanel& tip = chart.panel("T(N)");
    const DrawnPanel& qdds1 = chart.panel("qdds1");
    EXPECT_NEAR(tip.y.value(tip.bottom), c.tip_low, 1e-3);
    EXPECT_NEAR(tip.y.value(tip.top), c.tip_high, 1e-3);
    EXPECT_NEAR(qdds1.y.value(qdds1.bottom), c.qdds1_low, 1e-3);
    EXPECT_NEAR(qdds1.y.value(qdds1.top), c.qdds1_high, 1e-3);
    const std::vector<DrawnPoint>& pE = tip.at(c.studies.size() == 1 ? "p_E" : "p_E UDS-2").points;
    ASSERT_EQ(pE.size(), 3u);
    for (std::size_t k = 0; k < 2; ++k) {
      expect_close(pE[k].x, c.studies.back().meshes[k + 1].dx, 1e-4, "dx");
      EXPECT_NEAR(pE[k].y, 2, 1e-3);
      EXPECT_FALSE(pE[k].at_edge);
    }
    EXPECT_TRUE(pE[2].at_edge);
    EXPECT_NEAR(pE[2].y, c.tip_high, 1e-3);
    EXPECT_TRUE(has_note(chart, std::to_string(c.held) + (c.held == 1 ? " ponto" : " pontos") + " fora da escala"));
    expect_legible(chart, "ordens.svg");
  }
}

// E = Ta - T = -dx²·40·x·(0.1 - x) on every mesh: divided by dx², one curve -40·x·(0.1 - x).
TEST(Plots, ProfileChartDividesEachMeshsErrorByDxToTheLeadingOrder) {
  SchemeStudy s = study();
  for (MeshOutcome& m : s.meshes) {
    for (std::size_t i = 0; i < m.profile.x.size(); ++i) {
      const double x = m.profile.x[i];
      m.profile.T[i] = m.profile.Ta[i] + m.dx * m.dx * 40 * x * (0.1 - x);
    }
  }
  const DrawnChart chart = read_chart(svg_chart(profile_chart({s})));
  ASSERT_EQ(chart.panels.size(), 2u);
  const DrawnPanel& scaled = chart.panels[0];
  EXPECT_EQ(scaled.y_title, "E/dx² [ºC/m²]");
  for (const MeshOutcome& m : s.meshes) {
    const std::vector<DrawnPoint>& drawn = scaled.at("N = " + std::to_string(m.N)).points;
    ASSERT_EQ(drawn.size(), 5u);
    for (std::size_t i = 0; i < drawn.size(); ++i) {
      const double x = 0.0125 * static_cast<double>(i);
      EXPECT_NEAR(drawn[i].x, x, 1e-5);
      EXPECT_NEAR(drawn[i].y, -40 * x * (0.1 - x), 2e-4) << m.N << " at " << x;
    }
  }
  // The meshes on one curve lie under the finest, and the note says so.
  EXPECT_TRUE(has_note(chart, "\xC2\xABN = 3\xC2\xBB, \xC2\xABN = 5\xC2\xBB e \xC2\xABN = 9\xC2\xBB coincidem"));
  const DrawnPanel& ends = chart.panels[1];
  ASSERT_EQ(ends.series.size(), 2u);
  for (std::size_t k : {0u, 3u}) {
    const MeshOutcome& m = s.meshes[k];
    const std::vector<DrawnPoint>& drawn = ends.at("N = " + std::to_string(m.N)).points;
    for (std::size_t i = 0; i < drawn.size(); ++i) {
      EXPECT_NEAR(drawn[i].y, m.profile.Ta[i] - m.profile.T[i], 1e-7) << k << " " << i;
    }
  }
  expect_legible(chart, "perfil.svg");
}

TEST(Plots, ProfileScaleFollowsTheUnmarkedMeshesAndAMarkedOneLeavingItIsNamed) {
  SchemeStudy s = study();
  for (QuantityAnalysis& a : s.rows[1]) a.iteration = false;
  s.rows[3][index_of(Quantity::TipTemperature)].round_off = true;
  for (double& T : s.meshes[3].profile.T) T += 1e-3;  // noise far past the curve, divided by dx²
  const DrawnChart chart = read_chart(svg_chart(profile_chart({s})));
  const DrawnPanel& scaled = chart.panels[0];
  // The unmarked meshes' E/dx² run from -(2 + 1)·0.01·4 / 0.00625² = -3072 (N = 9) to 0; the
  // held axis adds 4% of that at either end.
  EXPECT_NEAR(scaled.y.value(scaled.bottom), -3072 - 0.04 * 3072, 0.5);
  EXPECT_NEAR(scaled.y.value(scaled.top), 0.04 * 3072, 0.5);
  EXPECT_TRUE(has_note(chart, "\xC2\xABN = 17\xC2\xBB sai da escala"));
  expect_legible(chart, "perfil.svg");
}

// phi = 70 - 160·dx² on N = 3, 5, 9, 17 (dx = 0.025 ... 0.003125): p_U = 2, so the Richardson
// value of the finest three is 70 exactly, and GCI(p_U) = 1.25·160·0.003125² = 0.001953125.
TEST(Plots, ConvergenceChartDrawsTheFinestThreeMeshesRichardsonsValueAndTheGciBand) {
  SchemeStudy s = study();
  for (MeshOutcome& m : s.meshes) m.value[0] = 70 - 160 * m.dx * m.dx;
  s = analyse(s.scheme, s.meshes);
  const DrawnChart chart = read_chart(svg_chart(convergence_chart({s})));
  const DrawnPanel& tip = chart.panel("T(N)");
  const std::vector<DrawnPoint>& values = tip.at("UDS-2").points;
  ASSERT_EQ(values.size(), 3u);
  for (std::size_t k = 0; k < 3; ++k) {
    const double dx = s.meshes[k + 1].dx;
    EXPECT_NEAR(values[k].x, dx, 1e-6);  // 0.01 pixel is 5e-7 m here, and 1.5e-6 ºC
    EXPECT_NEAR(values[k].y, 70 - 160 * dx * dx, 3e-6);
  }
  const std::vector<DrawnPoint>& richardson = tip.at("valor de Richardson em dx = 0, com p_U").points;
  ASSERT_EQ(richardson.size(), 1u);
  EXPECT_NEAR(richardson[0].x, 0, 1e-6);
  EXPECT_NEAR(richardson[0].y, 70, 3e-6);
  const std::vector<DrawnPoint>& exact = tip.at("valor exato").points;
  EXPECT_NEAR(exact.front().y, 70, 3e-6);
  EXPECT_NEAR(exact.back().x, 0.0125, 1e-6);
  ASSERT_EQ(tip.bands.size(), 1u);
  double top = 0;
  ASSERT_TRUE(tip.bands[0].top_at(tip.x.pixel(0.002), top));
  EXPECT_NEAR(tip.y.value(top), 70 - 0.0015625 + 0.001953125, 3e-6);
  // qdds1 halves its error each time: p_U = 1 and the Richardson value is the exact 1.5.
  const DrawnPanel& qdds1 = chart.panel("qdds1");
  EXPECT_NEAR(qdds1.at("valor de Richardson em dx = 0, com p_U").points.at(0).y, 1.5, 1e-6);
  expect_legible(chart, "convergencia.svg");
}

TEST(Plots, ConvergenceChartSaysWhyAPanelHasNoRichardsonValue) {
  SchemeStudy s = study();
  s.meshes[2].value[0] = 70 + 0.01;  // the two differences change sign
  s = analyse(s.scheme, s.meshes);
  const DrawnChart chart = read_chart(svg_chart(convergence_chart({s})));
  EXPECT_THROW(chart.panel("T(N)").at("valor de Richardson em dx = 0, com p_U"), std::runtime_error);
  EXPECT_TRUE(has_note(chart, "T(N): sem valor de Richardson ("));
}

TEST(Plots, ExtrapolationChartPutsEachSchemeAndArithmeticInARowAndNamesLevelsAtTheirEnds) {
  const std::vector<QuantityExtrapolation> e = extrapolate(with_reference(both_schemes()));
  const DrawnChart chart = read_chart(svg_chart(extrapolation_chart(e)));
  ASSERT_EQ(chart.panels.size(), 12u);
  EXPECT_EQ(chart.panels[0].title, "UDS \xC2\xB7 T(N) \xC2\xB7 dupla");
  EXPECT_EQ(chart.panels[3].title, "UDS \xC2\xB7 T(N) \xC2\xB7 quádrupla");
  EXPECT_EQ(chart.panels[6].title, "UDS-2 \xC2\xB7 T(N) \xC2\xB7 dupla");
  // UDS-2 T(N): p_L = 2, so level 1 leaves an error of order 3; qdds2 halves its error: the
  // quadruple level 1 (three times the double errors) is exact, left out of the log axis.
  const DrawnPanel& tip = chart.panel("UDS-2 \xC2\xB7 T(N) \xC2\xB7 quádrupla");
  const std::vector<DrawnPoint>& level1 = tip.at("nível 1 \xC2\xB7 ordem 3").points;
  const QuantityExtrapolation& table = e[3];
  std::size_t i = 0;
  for (const auto& v : table.quad_table) {
    if (v.level != 1) continue;
    ASSERT_LT(i, level1.size());
    expect_close(level1[i].x, v.dx, 1e-3, "dx");
    expect_close(level1[i].y, std::fabs(static_cast<double>(v.error)), 1e-3, "|erro|");
    ++i;
  }
  EXPECT_EQ(i, level1.size());
  std::vector<std::string> labels;
  for (const TextBox& b : tip.end_labels) labels.push_back(b.text);
  EXPECT_NE(std::find(labels.begin(), labels.end(), "nível 0 \xC2\xB7 ordem 2"), labels.end());
  EXPECT_NE(std::find(labels.begin(), labels.end(), "nível 1 \xC2\xB7 ordem 3"), labels.end());
  EXPECT_TRUE(chart.legend.empty()) << "levels are named at their ends";
}

// Budget parts and quadruple levels above a resolution set per mesh: the band's top reads the
// resolution at each mesh, and every point is above it.
TEST(Plots, ResolutionBandReachesTheResolutionUnderEveryPointAboveIt) {
  std::vector<SchemeStudy> s = with_reference({study()});
  for (std::size_t k = 0; k < s[0].rows.size(); ++k) {  // |E|: half the least part, 2|E|
    for (Quantity q : kQuantities) {
      const double E = s[0].meshes[k].exact[index_of(q)] - s[0].meshes[k].value[index_of(q)];
      s[0].rows[k][index_of(q)].reference_resolution = defined_as(std::fabs(E));
    }
  }
  const DrawnChart budget = read_chart(svg_chart(budget_chart(s)));
  for (Quantity q : kQuantities) {
    const DrawnPanel& panel = budget.panels[index_of(q)];
    ASSERT_EQ(panel.bands.size(), 1u) << panel.title;
    for (std::size_t k = 0; k < 4; ++k) {
      double top = 0;
      ASSERT_TRUE(panel.bands[0].top_at(panel.x.pixel(s[0].meshes[k].dx), top)) << panel.title << k;
      const double E = s[0].meshes[k].exact[index_of(q)] - s[0].meshes[k].value[index_of(q)];
      expect_close(panel.y.value(top), std::fabs(E), 1e-3, panel.title + " band");
    }
  }
  expect_legible(budget, "orcamento.svg");
  // Each part keeps its colour in every panel.
  for (const char* part : {"discretização", "arredondamento"}) {
    EXPECT_EQ(budget.panels[0].at(part).colour, budget.panels[2].at(part).colour) << part;
  }

  // The quadruple levels of T(N), each level's resolution (j + 1)/2 times the least |erro| of
  // the table: on every mesh the band reaches level 0's, half that least error.
  std::vector<QuantityExtrapolation> e = extrapolate(s);
  double least = HUGE_VAL;
  for (const auto& v : e[0].quad_table) {
    if (v.error != 0) least = std::min(least, std::fabs(static_cast<double>(v.error)));
  }
  for (auto& v : e[0].quad_table) v.resolution = least * (v.level + 1) / 2;
  const DrawnChart levels = read_chart(svg_chart(extrapolation_chart(e)));
  const DrawnPanel& tip = levels.panel("T(N) \xC2\xB7 quádrupla");
  ASSERT_EQ(tip.bands.size(), 1u);
  for (const MeshOutcome& m : s[0].meshes) {
    double top = 0;
    ASSERT_TRUE(tip.bands[0].top_at(tip.x.pixel(m.dx), top));
    expect_close(tip.y.value(top), least / 2, 1e-3, "the band at N = " + std::to_string(m.N));
  }
  expect_legible(levels, "extrapolacoes.svg");
}

// A resolution decades below every point is named, once for all the panels it is missing from.
TEST(Plots, ResolutionFarBelowTheDataIsOneNoteForEveryPanel) {
  std::vector<SchemeStudy> s = with_reference({study()});
  for (auto& row : s[0].rows) {
    for (QuantityAnalysis& a : row) a.reference_resolution = defined_as(1e-30);
  }
  const DrawnChart budget = read_chart(svg_chart(budget_chart(s)));
  std::size_t notes = 0;
  for (const std::string& note : budget.notes) notes += note.find("abaixo da escala") != std::string::npos;
  EXPECT_EQ(notes, 1u);
  EXPECT_TRUE(has_note(budget, "«resolução da referência» fica abaixo da escala em todos os painéis"));
  for (const DrawnPanel& panel : budget.panels) EXPECT_TRUE(panel.bands.empty()) << panel.title;
}

TEST(Plots, BudgetNamesEveryPartMissingFromAPanelWithTheReason) {
  // The reference's iterate is its converged value: E_iteracao is 0 on every mesh. Without a
  // reference no part has a value.
  const DrawnChart zero = read_chart(svg_chart(budget_chart(with_reference(both_schemes()))));
  EXPECT_TRUE(has_note(zero, "UDS T(N), qdds1, qdds2: sem iteração (nula em todas as malhas)"));
  EXPECT_TRUE(has_note(zero, "UDS-2 T(N), qdds1, qdds2: sem iteração (nula em todas as malhas)"));
  const DrawnChart none = read_chart(svg_chart(budget_chart({study()})));
  EXPECT_TRUE(has_note(none, "UDS-2 T(N), qdds1, qdds2: sem discretização, iteração e arredondamento ("));
  EXPECT_TRUE(none.panels[0].series.empty()) << "an empty panel says so and draws no axes";
}

TEST(Plots, EveryChartOfTheConstructedStudiesCanBeRead) {
  std::vector<SchemeStudy> wide = with_reference({study()});
  wide[0].meshes[0].reference->converged[0] -= 1e-1;  // a budget running from 1e-30 to 1e-1
  wide[0].meshes[3].reference->converged[0] = wide[0].meshes[3].value[0] - 1e-30;
  wide[0] = analyse(wide[0].scheme, wide[0].meshes);
  const std::pair<const char*, std::vector<SchemeStudy>> cases[] = {
      {"one scheme", {study()}}, {"both schemes", with_reference(both_schemes())}, {"thirty decades", wide}};
  for (const auto& [name, studies] : cases) {
    const std::pair<const char*, Chart> charts[] = {
        {"erro", error_chart(studies)}, {"orcamento", budget_chart(studies)},
        {"ordens", order_chart(studies)}, {"perfil", profile_chart(studies)},
        {"convergencia", convergence_chart(studies)}, {"extrapolacoes", extrapolation_chart(extrapolate(studies))},
        {"estimadores", estimator_chart(studies, judge_estimators(studies, kDefaultLeastSquaresMeshes))}};
    for (const auto& [chart_name, chart] : charts) {
      expect_legible(read_chart(svg_chart(chart)), std::string(name) + " " + chart_name);
    }
  }
}

TEST(Plots, LogAxisOverThirtyDecadesLabelsEveryKthDecadeAndReadsBack) {
  Chart chart{"t", 1, {{"p", {"x", "", true}, {"y", "", true}, {}, {}}}, {}};
  chart.panels[0].series.push_back({"s", {{1e-3, 1e-30}, {1e-2, 3e-17}, {1e-1, 1e-1}}, {"black"}, {}});
  const DrawnChart drawn = read_chart(svg_chart(chart));
  const DrawnAxis& y = drawn.panels[0].y;
  EXPECT_LE(y.ticks.size(), 8u);
  for (std::size_t i = 1; i < y.ticks.size(); ++i) {
    const double decades = std::log10(y.ticks[i].second / y.ticks[i - 1].second);
    EXPECT_NEAR(decades, std::round(decades), 1e-9);
    EXPECT_NEAR(decades, std::log10(y.ticks[1].second / y.ticks[0].second), 1e-9) << "every k-th decade";
  }
  const std::vector<DrawnPoint>& points = drawn.panels[0].at("s").points;
  expect_close(points[1].y, 3e-17, 5e-3, "read back");  // 0.01 pixel is 0.0015 decades here
  expect_legible(drawn, "thirty decades");
}

// Effectivities from 0.95 to 3.2: 1, 2 and 5 times a power of ten would label only 1 and 2; even
// steps of 0.5 label 1 to 3.5, plainly, without powers of ten.
TEST(Plots, LogAxisUnderTwoDecadesLabelsPlainNumbersAndMoreThanTwo) {
  Chart chart{"t", 1, {{"p", {"x", "", true}, {"y", "", true}, {}, {}}}, {}};
  chart.panels[0].series.push_back({"s", {{1e-4, 0.95}, {1e-1, 3.2}}, {"black"}, {}});
  const DrawnChart drawn = read_chart(svg_chart(chart));
  const DrawnAxis& y = drawn.panels[0].y;
  std::vector<double> labelled;
  for (const auto& tick : y.ticks) labelled.push_back(tick.second);
  EXPECT_EQ(labelled, (std::vector<double>{1, 1.5, 2, 2.5, 3, 3.5}));
  for (const TextBox& label : drawn.panels[0].tick_labels) {
    EXPECT_EQ(label.text.find("\xC3\x97"), std::string::npos) << label.text;
  }
  expect_close(drawn.panels[0].at("s").points[0].y, 0.95, 1e-3, "read back");
  expect_legible(drawn, "short log axis");
}

TEST(Plots, LinearAxisWhoseLabelsWouldNeedManyDigitsCountsFromAnOffset) {
  Chart chart{"t", 1, {{"p", {"x", "m", false}, {"T", "ºC", false}, {}, {}}}, {}};
  chart.panels[0].series.push_back({"s", {{1, 69.0554698462}, {2, 69.0554698471}, {3, 69.0554698466}}, {"black"}, {}});
  const DrawnChart drawn = read_chart(svg_chart(chart));
  const DrawnPanel& panel = drawn.panels[0];
  EXPECT_NE(panel.y_title.find("T \xE2\x88\x92 69.05546984"), std::string::npos) << panel.y_title;
  EXPECT_EQ(panel.y_title.substr(panel.y_title.size() - 5), "[ºC]");
  const std::vector<DrawnPoint>& points = panel.at("s").points;
  EXPECT_NEAR(points[0].y, 69.0554698462, 1e-12);
  EXPECT_NEAR(points[1].y, 69.0554698471, 1e-12);
  for (const TextBox& label : panel.tick_labels) EXPECT_LE(label.text.size(), 8u) << label.text;
  expect_legible(drawn, "offset");
}

TEST(Plots, LongTickLabelsAreThinnedOutUntilTheyStandApart) {
  Chart chart{"t", 5, {}, {}};
  for (int i = 0; i < 5; ++i) {  // five panels side by side, as narrow as plots get, wide labels
    chart.panels.push_back({"p" + std::to_string(i), {"x", "", false}, {"y", "", false}, {}, {}});
    chart.panels.back().series.push_back({"s", {{123456.7, 1}, {876543.2, 2}}, {"black"}, {}});
  }
  const DrawnChart drawn = read_chart(svg_chart(chart));
  EXPECT_GE(drawn.panels[0].x.ticks.size(), 2u);
  expect_legible(drawn, "wide labels");
}

TEST(Plots, ChartIsOneSvgElementThatAPageCanHoldInline) {
  const std::string svg = svg_chart(error_chart({study()}));
  EXPECT_EQ(svg.rfind("<svg xmlns=\"http://www.w3.org/2000/svg\"", 0), 0u) << "no XML declaration before it";
  EXPECT_EQ(svg.find(" id=\""), std::string::npos) << "ids would clash between charts on one page";
  EXPECT_EQ(svg.substr(svg.size() - 7), "</svg>\n");
}

TEST(Plots, PageHoldsTheWholeLegendAndItsNotes) {
  Chart chart{"t", 1, {{"p", {"x", "", true}, {"y", "", true}, {}, {}}}, {"uma nota"}};
  for (int i = 0; i < 40; ++i) {
    chart.panels[0].series.push_back(
        {"N = 1000001 UDS-2 série " + std::to_string(i), {{1e-3, 1e-2 * (i + 1)}, {1e-2, 1}}, {"black"}, {}});
  }
  const DrawnChart drawn = read_chart(svg_chart(chart));
  EXPECT_EQ(drawn.legend.size(), 40u);
  for (const TextBox& t : drawn.texts) {
    EXPECT_LE(t.right, drawn.width + 1) << t.text;
    EXPECT_LE(t.bottom, drawn.height) << t.text;
  }
  expect_legible(drawn, "forty series");
}

}  // namespace
}  // namespace malhas

