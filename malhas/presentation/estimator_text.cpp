#include "malhas/presentation/estimator_text.h"

#include "malhas/presentation/estimator_words.h"
#include "malhas/presentation/row_text.h"
#include "malhas/presentation/text_columns.h"

namespace malhas {
namespace {

constexpr std::size_t kMeshWidth = 10, kConvergenceWidth = 26;
constexpr std::size_t kUWidth = 11, kRatioWidth = 10, kBlockWidth = kUWidth + 2 * kRatioWidth;
constexpr std::size_t kNameWidth = 12, kCountWidth = 9, kMedianWidth = 11;

// Without the blanks at its end.
std::string trimmed(std::string text) {
  text.erase(text.find_last_not_of(' ') + 1);
  return text;
}

std::string heading() {
  std::string groups = std::string(kMeshWidth + kConvergenceWidth, ' ');
  std::string columns = column("N", kMeshWidth) + column("convergência", kConvergenceWidth);
  for (Estimator e : kEstimators) {
    groups += left_column("   " + std::string(estimator_name(e)), kBlockWidth);
    columns += column("U", kUWidth) + column("U/|E|", kRatioWidth) + column("U/|E_d|", kRatioWidth);
  }
  return trimmed(groups) + "\n" + columns + "\n";
}

std::string mesh_row(const SchemeStudy& s, const QuantityEstimators& q, std::size_t k) {
  const MeshOutcome& mesh = s.meshes[k];
  std::string line = column(std::to_string(mesh.N), kMeshWidth);
  if (mesh.failed()) return line + "  falhou: " + mesh.failure;
  const ConvergenceType& type = s.rows[k][index_of(q.quantity)].convergence;
  line += column(type.defined ? std::string(convergence_name(type.kind)) : "-", kConvergenceWidth);
  for (Estimator e : kEstimators) {
    const EstimatorResult& r = q.meshes[k][index_of(e)];
    line += column(uncertainty_text(r.uncertainty), kUWidth) + column(effectivity_text(r.effectivity), kRatioWidth) +
            column(effectivity_text(r.discretisation_effectivity), kRatioWidth);
  }
  return line;
}

std::string judgement_cells(const Judgement& j) {
  return column(std::to_string(j.conservative) + "/" + std::to_string(j.meshes), kCountWidth) +
         column(effectivity_text(j.median), kMedianWidth);
}

std::string summary(const QuantityEstimators& q) {
  std::string groups = std::string(kNameWidth, ' '), columns = left_column("  estimador", kNameWidth);
  for (const JudgementSet& set : kJudgementSets) {
    groups += left_column("   " + std::string(set.short_name), kCountWidth + kMedianWidth);
    columns += column("U>=|E|", kCountWidth) + column("mediana", kMedianWidth);
  }
  std::string text = trimmed(groups) + "\n" + columns + "\n";
  for (Estimator e : kEstimators) {
    text += left_column("  " + std::string(estimator_name(e)), kNameWidth);
    for (const JudgementSet& set : kJudgementSets) text += judgement_cells(q.summaries[index_of(e)].*set.judgement);
    text += "\n";
  }
  return text;
}

std::string introduction(std::int32_t least_squares_meshes) {
  const std::string meshes = least_squares_meshes == kEveryMesh
                                 ? std::string("em todas as malhas até cada uma")
                                 : "nas " + std::to_string(least_squares_meshes) +
                                       " malhas mais finas até cada uma";
  return "\nEstimadores de incerteza, cada um com o seu fator de segurança, julgados pelo erro "
         "verdadeiro da mesma malha (U/|E| >= 1: o estimador não subestima o erro; E_d = "
         "E_discretizacao):\n"
         "  GCI(p_L): 3|U(p_L)|, de duas malhas (Roache); GCI(p_U): 1,25|U(p_U)|, de três malhas "
         "com convergência monotônica (Celik et al., 2008);\n"
         "  GCI(osc): 3 (máximo - mínimo) das três malhas, na convergência oscilatória; FS: "
         "fator de segurança de Xing e Stern (2010) com P = p_U/p_L;\n"
         "  MQ: mínimos quadrados de Eça e Hoekstra (2014), " + meshes + ".\n"
         "  u_num = U/2 de cada estimador está em estimadores.csv, com a estimativa do valor "
         "exato; o resumo dá, em cada conjunto de malhas, em quantas U >= |E| e a mediana de "
         "U/|E|.\n";
}

}  // namespace

std::string estimator_section(const std::vector<SchemeStudy>& studies,
                              const std::vector<QuantityEstimators>& estimators,
                              std::int32_t least_squares_meshes) {
  std::string text = introduction(least_squares_meshes);
  std::size_t next = 0;  // one per scheme and quantity, as the tables
  for (const SchemeStudy& s : studies) {
    for (Quantity quantity : kQuantities) {
      const QuantityEstimators& q = estimators[next++];
      text += "\n" + std::string(scheme_name(s.scheme)) + " " + std::string(quantity_name(quantity)) +
              "; ordem assintótica p_L = " + std::to_string(asymptotic_order(s.scheme, quantity)) + "\n";
      text += heading();
      for (std::size_t k = 0; k < s.meshes.size(); ++k) text += mesh_row(s, q, k) + "\n";
      text += summary(q);
    }
  }
  return text;
}

}  // namespace malhas
