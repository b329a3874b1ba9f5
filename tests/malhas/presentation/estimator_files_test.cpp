// The estimators' files for a study worked by hand: what a spreadsheet and a person read.
#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>

#include "malhas/presentation/estimator_csv.h"
#include "malhas/presentation/estimator_text.h"
#include "tests/malhas/verification/hand_study.h"

namespace malhas {
namespace {

std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> lines;
  std::stringstream stream(text);
  for (std::string line; std::getline(stream, line);) lines.push_back(line);
  return lines;
}

TEST(EstimatorFiles, CsvRowsPerEstimatorAndMeshInBothDialects) {
  const std::vector<SchemeStudy> study = hand_study();
  const std::vector<QuantityEstimators> estimators = judge_estimators(study, 4);
  const std::vector<std::string> lines = lines_of(estimator_csv(study, estimators));
  ASSERT_EQ(lines.size(), 1u + 3 * 5 * 4);
  EXPECT_EQ(lines[0],
            "esquema,quantidade,estimador,N,dx,convergencia,ordem,Fs,valor,valor_estimado,exato,U,"
            "u_num,erro,E_discretizacao,U/|E|,U/|E_disc|,conservador,ajuste,desvio_padrao,"
            "faixa_dados,observacoes");
  // T(N), GCI(p_L) on 9 nodes: U = 3 (0.1875 / 3) against E = 1/16.
  EXPECT_EQ(lines[3],
            "UDS-2,T(N),GCI(p_L),9,1.2500000000000000e-01,convergência monotônica,"
            "2.0000000000000000e+00,3.0000000000000000e+00,9.9375000000000000e+00,"
            "1.0000000000000000e+01,1.0000000000000000e+01,1.8750000000000000e-01,"
            "9.3750000000000000e-02,6.2500000000000000e-02,,3.0000000000000000e+00,,sim,,,,"
            "U/|E_disc|: sem referência");
  EXPECT_EQ(lines[1].substr(lines[1].rfind(',') + 1), "malhas insuficientes");
  // The least squares of qdds1 on 17 nodes names its fit, the observed order (p = 1).
  EXPECT_EQ(lines[40].rfind("UDS-2,qdds1,MQ,17,", 0), 0u) << lines[40];
  EXPECT_NE(lines[40].find("a h^p"), std::string::npos) << lines[40];

  const std::string excel = estimator_csv(study, estimators, kBrazilianSpreadsheetCsv);
  EXPECT_EQ(excel.rfind("\xEF\xBB\xBF" "esquema;quantidade;estimador;N;", 0), 0u);
  EXPECT_NE(excel.find("UDS-2;T(N);GCI(p_L);9;1,2500000000000000e-01;"), std::string::npos);
  EXPECT_EQ(lines_of(excel)[1].back(), '\r');
}

TEST(EstimatorFiles, SummaryCsvJudgesEachEstimatorOverFourSetsOfMeshes) {
  const std::vector<SchemeStudy> study = hand_study();
  const std::vector<std::string> lines = lines_of(estimator_summary_csv(judge_estimators(study, 4)));
  ASSERT_EQ(lines.size(), 1u + 3 * 5 * 4);
  EXPECT_EQ(lines[0], "esquema,quantidade,estimador,contra,malhas,julgadas,conservadoras,"
                      "fracao_conservadora,mediana_U/|E|");
  // GCI(p_L) of T(N) is 3 |E| on meshes 5, 9 and 17, where p_E = 2; no reference, no E_disc.
  EXPECT_EQ(lines[1], "UDS-2,T(N),GCI(p_L),E,todas,3,3,1.0000000000000000e+00,3.0000000000000000e+00");
  EXPECT_EQ(lines[2], "UDS-2,T(N),GCI(p_L),E,p_E a 10 % de p_L,3,3,1.0000000000000000e+00,"
                      "3.0000000000000000e+00");
  EXPECT_EQ(lines[3], "UDS-2,T(N),GCI(p_L),E_discretizacao,todas,0,0,,");
}

TEST(EstimatorFiles, TextSectionTabulatesEveryEstimatorAndItsSummary) {
  const std::vector<SchemeStudy> study = hand_study();
  const std::string text = estimator_section(study, judge_estimators(study, 4), 4);
  EXPECT_NE(text.find("nas 4 malhas mais finas até cada uma"), std::string::npos);
  EXPECT_NE(text.find("\nUDS-2 qdds2; ordem assintótica p_L = 2\n"), std::string::npos);
  // qdds2 on 9 nodes oscillates: GCI(p_L) = 3 (0.75 / 3) and GCI(osc) = 3 (10.5 - 9) against
  // |E| = 1/4; no reference, no U/|E_d|.
  EXPECT_NE(text.find("\n         9  convergência oscilatória  7.500e-01         3         -"),
            std::string::npos) << text;
  EXPECT_NE(text.find("  4.500e+00        18         -"), std::string::npos) << text;
  // T(N)'s GCI(p_L) holds on its three meshes, all with p_E = 2.
  EXPECT_NE(text.find("\n  GCI(p_L)        3/3          3      3/3          3      0/0          -"),
            std::string::npos) << text;
  EXPECT_NE(estimator_section(study, judge_estimators(study, kEveryMesh), kEveryMesh)
                .find("em todas as malhas até cada uma"),
            std::string::npos);
}

}  // namespace
}  // namespace malhas
