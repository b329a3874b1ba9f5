#include "malhas/presentation/csv_table.h"

#include "malhas/presentation/estimator_words.h"
#include "malhas/presentation/row_text.h"

namespace malhas {
namespace {

CsvWriter table_writer(const CsvDialect& dialect) {
  return CsvWriter(dialect,
                   {"esquema",  "N",        "dx",           "quantidade",     "valor",     "exato",
                    "erro",     "p_L",      "E_discretizacao", "E_iteracao",  "E_arredondamento",
                    "p_E",      "p_E_disc", "p_U",          "U(p_L)",         "U(p_U)",    "GCI(p_L)",
                    "GCI(p_U)", "GCI_rel(p_U)", "U(p_L)/E", "U(p_U)/E",       "arredondamento", "iteracao",
                    "iteracoes", "L1_final", "convergiu",   "convergencia", "observacoes"});
}

void append_row(CsvWriter& csv, const SchemeStudy& study, std::size_t k, Quantity q) {
  const MeshOutcome& mesh = study.meshes[k];
  std::vector<std::string> row{std::string(scheme_name(study.scheme)), std::to_string(mesh.N),
                               csv.number(mesh.dx), std::string(quantity_name(q))};
  if (mesh.failed()) {
    row.resize(csv.columns() - 1);
  } else {
    const std::size_t i = index_of(q);
    const QuantityAnalysis& a = study.rows[k][i];
    row.push_back(csv.number(mesh.value[i]));
    row.push_back(csv.number(mesh.exact[i]));
    row.push_back(csv.number(a.error));
    row.push_back(std::to_string(asymptotic_order(study.scheme, q)));
    for (const NamedEstimate& e : named_estimates(a)) {
      row.push_back(csv.number(*e.estimate));
    }
    row.emplace_back(a.round_off ? "sim" : "");
    row.emplace_back(a.iteration ? "sim" : "");
    const bool iterated = fin::iterates(study.scheme);
    row.push_back(iterated ? std::to_string(mesh.iterations) : "");
    row.push_back(iterated ? csv.number(mesh.final_l1) : "");
    row.emplace_back(iterated ? (mesh.converged ? "sim" : "não") : "");
    row.push_back(a.convergence.defined ? std::string(convergence_name(a.convergence.kind)) : "");
  }
  row.push_back(row_notes(study, k, q));
  csv.row(row);
}

}  // namespace

std::string csv_table(const std::vector<SchemeStudy>& studies, const CsvDialect& dialect) {
  CsvWriter csv = table_writer(dialect);
  for (const SchemeStudy& study : studies) {
    for (std::size_t k = 0; k < study.meshes.size(); ++k) {
      for (Quantity q : kQuantities) append_row(csv, study, k, q);
    }
  }
  return csv.take();
}

}  // namespace malhas
