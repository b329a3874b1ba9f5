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
  return study_page(run, studies, extrapolate(studies), charts);
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
  // Each quantity's two tables: the failed mesh in all six (its reason on hovering the first),
  // the marked one in T(N)'s two.
  EXPECT_EQ(count(html, "<tr class=\"falhou\" title=\"falhou: estouro (overflow)\">"), 3u);
  EXPECT_EQ(count(html, "<tr class=\"falhou\">"), 3u);
  EXPECT_EQ(count(html, "<tr class=\"marcada\""), 2u);
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

}  // namespace
}  // namespace malhas
