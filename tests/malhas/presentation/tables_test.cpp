// The two tables of a small study: what a spreadsheet and a person read from them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <sstream>

#include "malhas/presentation/csv_table.h"
#include "malhas/presentation/extrapolation_csv.h"
#include "malhas/presentation/text_table.h"
#include "tests/malhas/presentation/small_study.h"

namespace malhas {
namespace {

std::vector<std::string> split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  std::stringstream stream(text);
  for (std::string part; std::getline(stream, part, separator);) parts.push_back(part);
  return parts;
}

TEST(Tables, CsvRowsReadBackToTheSameDoubles) {
  const std::vector<std::string> lines = split(csv_table(small_study()), '\n');
  ASSERT_EQ(lines.size(), 1u + 3 * 3);
  EXPECT_EQ(lines[0],
            "esquema,N,dx,quantidade,valor,exato,erro,p_L,E_discretizacao,E_iteracao,"
            "E_arredondamento,p_E,p_E_disc,p_U,U(p_L),U(p_U),GCI(p_L),GCI(p_U),GCI_rel(p_U),"
            "U(p_L)/E,U(p_U)/E,arredondamento,iteracao,iteracoes,L1_final,convergiu,convergencia,"
            "observacoes");
  const std::vector<std::string> tip = split(lines[1], ',');
  EXPECT_EQ(tip[0], "UDS-2");
  EXPECT_EQ(tip[3], "T(N)");
  EXPECT_EQ(std::strtod(tip[4].c_str(), nullptr), 0.1 + 0.2);  // 0.30000000000000004
  EXPECT_EQ(std::strtod(tip[6].c_str(), nullptr), 1 - (0.1 + 0.2));
  EXPECT_EQ(tip[7], "2");
  EXPECT_EQ(tip[11], "") << "no order on the coarsest mesh";
  EXPECT_EQ(tip[23], "7");
  EXPECT_EQ(std::strtod(tip[24].c_str(), nullptr), 1e-13);
  EXPECT_EQ(tip[25], "sim");
  // The notes hold commas, so they are quoted: the line splits into more than 21 pieces.
  EXPECT_NE(lines[1].find(",\"E_discretizacao, E_iteracao, E_arredondamento: "), std::string::npos) << lines[1];
  EXPECT_EQ(lines[4], "UDS-2,5,2.5000000000000001e-02,T(N)" + std::string(24, ',') + "falhou: estouro (overflow)");
  EXPECT_NE(lines[7].find("parou em itmax"), std::string::npos) << lines[7];
}

TEST(Tables, TextIsWindows1252WithCrLf) {
  const std::string text = text_table(small_study(), extrapolate(small_study()));
  for (std::size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 1)) {
    ASSERT_GT(at, 0u);
    ASSERT_EQ(text[at - 1], '\r') << "at byte " << at;
  }
  EXPECT_NE(text.find("temperatura na extremidade [\xBA" "C]"), std::string::npos);
  EXPECT_NE(text.find("falhou: estouro (overflow)"), std::string::npos);
  EXPECT_EQ(text.find("\xC3"), std::string::npos) << "UTF-8 left in the text";
}

TEST(Tables, TextOpensWithTheBestExtrapolatedEstimatesAndEndsWithTheLevels) {
  // T(N) is 0.1 + 0.2 on both completed meshes (3 and 9, ratio 4): level 1 keeps that value, so
  // the tie goes to level 0, with E = 1 - 0.30000000000000004.
  const std::vector<SchemeStudy> studies = small_study();
  const std::string text = text_table(studies, extrapolate(studies));
  EXPECT_NE(text.find("Estudo de malhas da aleta\r\n\r\nMelhor estimativa na malha mais fina"),
            std::string::npos);
  EXPECT_NE(text.find("  UDS-2 T(N): N = 9, n\xEDvel 0 (dupla): 3.0000000000000004e-01, erro 7.000e-01\r\n"),
            std::string::npos);
  EXPECT_NE(text.find("UDS-2 qdds2: ordem removida por n\xEDvel 1: 2\r\n"), std::string::npos);
  std::vector<SchemeStudy> one = studies;
  one[0].meshes.resize(1);
  one[0].rows.resize(1);
  EXPECT_NE(text_table(one, extrapolate(one)).find("UDS-2 qdds1: menos de duas malhas calculadas"),
            std::string::npos);
}

// UDS-2 on 3 and 5 nodes with a reference resolving 1.2345e-24. T(N): E_discretizacao 1,
// E_iteracao 1e-25 (noise), E_arredondamento 0.5. qdds1: the converged and exact values agree,
// every part and every extrapolated error is noise.
std::vector<SchemeStudy> referenced_study() {
  MeshOutcome coarse;
  coarse.N = 3;
  coarse.exact = {10, 2, 2};
  coarse.value = {8.5, 2, 2};
  coarse.reference = QuadReference{};
  coarse.reference->exact = {10, 2, 2};
  coarse.reference->converged = {9, 2, 2};
  coarse.reference->iterated = {9 + fin::Quad(1e-25), 2, 2};
  coarse.reference->resolution = {1.2345e-24, 1.2345e-24, 1.2345e-24};
  MeshOutcome fine = coarse;
  fine.N = 5;
  return {analyse(fin::TipScheme::Uds2, {coarse, fine})};
}

TEST(Tables, NoDigitsBelowTheReferencesResolution) {
  const std::vector<SchemeStudy> studies = referenced_study();
  // The bound is quoted upwards, 1.3e-24, never 1.2e-24.
  const std::string note = "abaixo da resolu\xC3\xA7\xC3\xA3o da refer\xC3\xAAncia (< 1.3e-24)";
  const std::vector<std::string> csv = split(csv_table(studies), '\n');
  const std::vector<std::string> tip = split(csv[4], ',');  // T(N) on 5 nodes
  EXPECT_EQ(tip[8], "1.0000000000000000e+00");
  EXPECT_EQ(tip[9], "") << "E_iteracao";
  EXPECT_NE(csv[4].find("\"E_iteracao: " + note), std::string::npos) << csv[4];
  EXPECT_NE(csv[5].find("\"E_discretizacao, E_iteracao, E_arredondamento: " + note), std::string::npos) << csv[5];

  const std::string text = text_table(studies, extrapolate(studies));
  EXPECT_NE(text.find("1.000e+00   < 1.3e-24         5.000e-01"), std::string::npos) << text;
  // qdds1: every level exact, within resolutions 1.2345e-24 (level 0) and, level 1 removing the
  // order 1 with r = 2, (2·1.2345e-24 + 1.2345e-24)/(2 - 1) = 3.7035e-24: the best is the lowest.
  EXPECT_NE(text.find("  UDS-2 qdds1: N = 5, n\xEDvel 0 (qu\xE1\x64rupla): "
                      "2.00000000000000000000000000000000000e+00, erro < 1.3e-24\r\n"),
            std::string::npos) << text;

  const std::vector<std::string> levels = split(extrapolation_csv(extrapolate(studies)), '\n');
  const std::string level = "UDS-2,qdds1,quadrupla,5,1,1,2.00000000000000000000000000000000000e+00,,,"
                            "erro: abaixo da resolu\xC3\xA7\xC3\xA3o da refer\xC3\xAAncia (< 3.8e-24); "
                            "p_E: malhas insuficientes";
  EXPECT_NE(std::find(levels.begin(), levels.end(), level), levels.end()) << testing::PrintToString(levels);
}

}  // namespace
}  // namespace malhas
