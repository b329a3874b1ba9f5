// estudo.html from small studies: the run it tells, its summary's words, its tables and the
// charts set inside it.
#include "malhas/presentation/study_page.h"

#include <gtest/gtest.h>

#include "malhas/presentation/html.h"
#include "tests/malhas/presentation/small_study.h"

namespace malhas {
namespace {

std::size_t count(const std::string& text, const std::string& part) {
  std::size_t n = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

RunDescription uds2_run() {
  RunDescription run;
  run.program = "aleta-malhas 9.9.9";
  run.options = "-m 3 -r 4";
  run.fin = {80, 20, 25, 180, 2.0e-5, 0.024, 0.05};
  run.N = 3;
  run.scheme = fin::TipScheme::Uds2;
  run.iteration = fin::IterationInput{200, 1e-12, 20};
  return run;
}

// small_study() with mesh 9 marked for round-off in T(N).
std::vector<SchemeStudy> marked_study() {
  std::vector<SchemeStudy> studies = small_study();
  studies[0].rows[2][0].round_off = true;
  return studies;
}

std::string page(const RunDescription& run, const std::vector<SchemeStudy>& studies,
                 const std::vector<OutputFile>& charts = {}) {
  return study_page(run, studies, extrapolate(studies), judge_estimators(studies, kDefaultLeastSquaresMeshes), charts);
}

TEST(StudyPage, ChartsGoInsideWithoutTheirDeclarationAndWithIdsOfTheirOwn) {
  const std::string svg =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg width=\"10\"><clipPath id=\"plot\"/>"
      "<g clip-path=\"url(#plot)\"><use href=\"#plot\"/></g></svg>\n";
  EXPECT_EQ(inline_svg(svg, "erro"),
            "<svg width=\"10\"><clipPath id=\"erro-plot\"/><g clip-path=\"url(#erro-plot)\">"
            "<use href=\"#erro-plot\"/></g></svg>\n");
  const std::string html =
      page(uds2_run(), marked_study(), {{"erro.svg", svg}, {"ordens.svg", svg}});
  EXPECT_EQ(count(html, "<?xml"), 0u);
  EXPECT_EQ(count(html, "id=\"erro-plot\""), 1u);
  EXPECT_EQ(count(html, "id=\"ordens-plot\""), 1u);
  EXPECT_EQ(count(html, "<a href=\"erro.svg\">erro.svg</a>"), 2u)
      << "in its caption and the file list";
}

TEST(StudyPage, TablesShowTheCellsOfMalhasTxtAndSetApartMarkedAndFailedMeshes) {
  const std::string html = page(uds2_run(), marked_study());
  // 1 - (0.1 + 0.2) = 0.69999999999999996 to 4 digits.
  EXPECT_EQ(
      count(html,
            "<td class=\"n\">3.0000000000000004e-01</td><td class=\"n\">1.0000000000000000e+00</td>"
            "<td class=\"n\">7.000e-01</td>"),
      2u);
  // Each quantity's three tables of meshes (two of malhas.txt, one of the estimators): the failed
  // mesh in all nine (its reason on hovering the first), the marked one in T(N)'s three.
  EXPECT_EQ(count(html, "<tr class=\"falhou\" title=\"falhou: estouro (overflow)\">"), 3u);
  EXPECT_EQ(count(html, "<tr class=\"falhou\">"), 6u);
  EXPECT_EQ(count(html, "<tr class=\"marcada\""), 3u);
  EXPECT_EQ(count(html, "|E_arredondamento| &gt;= 0,1|E_discretizacao|"), 3u)
      << "the marked row's note, in a column and on hovering, and in the reading key";
  EXPECT_EQ(count(html, ">= 0,1"), 0u) << "a bare > in the text";
  EXPECT_NE(html.find("parou em itmax sem atingir tol</td>"), std::string::npos);
}

TEST(StudyPage, TellsTheInputsAsGivenAndTheOptionsThatRepeatTheStudy) {
  RunDescription run = uds2_run();
  std::string html = page(run, marked_study());
  EXPECT_NE(html.find("<td>Ab</td><td class=\"n\">2e-05</td>"), std::string::npos);
  EXPECT_NE(html.find("<td>tol</td><td class=\"n\">1e-12</td>"), std::string::npos);
  EXPECT_NE(html.find("<code>aleta-malhas -m 3 -r 4</code>"), std::string::npos);
  EXPECT_NE(html.find("aleta-malhas 9.9.9"), std::string::npos);
  EXPECT_NE(html.find("3 malhas, de N = 3 (dx = 5.00000e-02) a N = 9 (dx = 1.25000e-02), "
                      "razão de refino 2: N = 3, 5, 9."),
            std::string::npos);
  run.iteration.reset();
  run.quad_reference = false;
  html = page(run, marked_study());
  EXPECT_EQ(html.find("entradas_uds.ent"), std::string::npos);
  EXPECT_NE(html.find("Sem referência</b> em precisão quádrupla"), std::string::npos);
}

// UDS on 3, 5, 9 and 17 nodes; each quantity's discretisation error halves from 0.1, and
// round-off adds `round_off[k]` to it on mesh k.
std::vector<SchemeStudy> referenced_study(const double (&round_off)[3][4]) {
  std::vector<MeshOutcome> meshes;
  for (int k = 0; k < 4; ++k) {
    MeshOutcome m;
    m.N = (2 << k) + 1;
    m.dx = 0.05 / (m.N - 1);
    QuadReference reference;
    for (std::size_t q = 0; q < 3; ++q) {
      const double exact = static_cast<double>(q) + 1, discretisation = 0.1 / (1 << k);
      m.exact[q] = exact;
      m.value[q] = exact - discretisation - round_off[q][k];
      reference.exact[q] = exact;
      reference.converged[q] = reference.iterated[q] = fin::Quad(exact) - fin::Quad(discretisation);
    }
    m.reference = reference;
    meshes.push_back(m);
  }
  return {analyse(fin::TipScheme::Uds, std::move(meshes))};
}

// The words of the summary card of quantity `name`.
std::string card(const std::string& html, const std::string& name) {
  const std::size_t at = html.find("data-quantidade=\"" + name + "\"");
  return html.substr(at, html.find("class=\"cartao\"", at) - at);
}

TEST(StudyPageSummary, SaysWhichPartDominatesAndWhereRoundOffWeighs) {
  // Marked from N = 9 on (T(N)), on N = 5 alone (qdds1), nowhere (qdds2).
  const std::string html =
      page(uds2_run(), referenced_study({{0, 0, 0.01, 0.02}, {0, 0.01, 0, 0}, {0, 0, 0, 0}}));
  const struct {
    std::string quantity, dominant, round_off, orders;
  } cases[] = {
      {"T(N)", "domina o arredondamento", "O arredondamento pesa a partir de N = 9.",
       "p_E em N = 5, a mais fina sem marca"},
      {"qdds1", "domina a discretização", "O arredondamento pesa na malha N = 5.",
       "p_E na malha mais fina"},
      {"qdds2", "domina a discretização", "O arredondamento não pesa em nenhuma malha.",
       "p_E na malha mais fina"},
  };
  for (const auto& c : cases) {
    const std::string words = card(html, c.quantity);
    for (const std::string& part : {c.dominant, c.round_off, c.orders}) {
      EXPECT_NE(words.find(part), std::string::npos) << c.quantity << ": " << part;
    }
  }
  EXPECT_NE(card(html, "qdds2")
                .find("A ordem observada, p_E_disc = 1.000, está a menos de 10% de p_L = 1"),
            std::string::npos);
}

// By hand, r = 2 and p_L = 1: with the errors 0.1, 0.05, 0.025, 0.0125 of T(N), GCI(p_L) =
// 3 |d| = 3 |E| on every mesh from 5 nodes; on 9 nodes p_U = 1 and GCI(p_U) = 1.25 · 0.025 =
// 3.125e-02, 1.25 |E|; GCI(osc) never applies. qdds1 with 0.01 of round-off on 5 nodes (E = 0.1,
// 0.06, 0.025, 0.0125): on 17 nodes p_U = log2(0.035 / 0.0125) = 1.485 and GCI(p_U) =
// 1.25 · 0.0125 / (2^1.485 - 1) = 0.694 |E|, below the error.
TEST(StudyPageEstimators, SummaryAndMeshTablesGiveEachEstimatorAndTheWordsReadThem) {
  const std::string html =
      page(uds2_run(), referenced_study({{0, 0, 0, 0}, {0, 0.01, 0, 0}, {0, 0, 0, 0}}));
  const std::string section = html.substr(html.find("<section id=\"estimadores\">"));
  const auto cell = [](const std::string& marks, const std::string& text) {
    return marks + ">" + text + "</td>";
  };
  const std::string p_L_all = " data-estimador=\"GCI(p_L)\" data-contra=\"E\" data-malhas=\"todas\"";
  EXPECT_NE(section.find(cell(p_L_all + " data-col=\"conservadoras\"", "3/3 (100 %)")), std::string::npos);
  EXPECT_NE(section.find(cell(p_L_all + " data-col=\"mediana_U/|E|\"", "3")), std::string::npos);
  EXPECT_NE(section.find(cell(" data-estimador=\"GCI(osc)\" data-contra=\"E\" data-malhas=\"todas\" "
                              "data-col=\"conservadoras\"",
                              "0/0")),
            std::string::npos);
  // N = 9 of T(N): the convergence type, then each estimator's U and U/|E|.
  EXPECT_NE(section.find("<td class=\"n\">9</td><td>convergência monotônica</td>"
                         "<td class=\"n\" data-estimador=\"GCI(p_L)\" data-col=\"U\">7.500e-02</td>"
                         "<td class=\"n\" data-estimador=\"GCI(p_L)\" data-col=\"U/|E|\">3</td>"
                         "<td class=\"n\" data-estimador=\"GCI(p_U)\" data-col=\"U\">3.125e-02</td>"
                         "<td class=\"n\" data-estimador=\"GCI(p_U)\" data-col=\"U/|E|\">1.25</td>"),
            std::string::npos);
  EXPECT_NE(section.find("Não se aplicaram em nenhuma malha: GCI(osc)."), std::string::npos);
  EXPECT_NE(section.find("Subestimaram o erro em alguma malha: GCI(p_U) (em 1 de 2)"), std::string::npos);
  EXPECT_NE(section.find("data-col=\"U/|E|\">0.6944</td>"), std::string::npos);
  // The tables of malhas.txt have the convergence column too.
  EXPECT_EQ(count(html, "<th>convergência</th>"), 3u + 3u);
  EXPECT_NE(html.find("<td>-</td><td>p_E, p_E_disc, p_U: malhas insuficientes</td>"), std::string::npos);
  EXPECT_NE(html.find("<td class=\"n\">1.000</td><td>convergência monotônica</td><td></td></tr>"),
            std::string::npos)
      << "U(p_U)/E, then the convergence type, before the notes";
}

}  // namespace
}  // namespace malhas
