#include "malhas/presentation/estimator_csv.h"

#include <cmath>

#include "malhas/presentation/estimator_words.h"
#include "malhas/presentation/row_text.h"

namespace malhas {
namespace {

CsvWriter estimator_writer(const CsvDialect& dialect) {
  return CsvWriter(dialect, {"esquema",  "quantidade", "estimador", "N",     "dx",           "convergencia",
                             "ordem",    "Fs",         "valor",     "valor_estimado", "exato", "U",
                             "u_num",    "erro",       "E_discretizacao", "U/|E|", "U/|E_disc|",
                             "conservador", "ajuste",  "desvio_padrao", "faixa_dados", "observacoes"});
}

CsvWriter summary_writer(const CsvDialect& dialect) {
  return CsvWriter(dialect, {"esquema", "quantidade", "estimador", "contra", "malhas", "julgadas",
                             "conservadoras", "fracao_conservadora", "mediana_U/|E|"});
}

// The cells of one row, numbers in the writer's dialect.
class CsvLine {
 public:
  explicit CsvLine(const CsvWriter& csv) : csv_(csv) {}
  void text(std::string_view cell) { cells_.emplace_back(cell); }
  void number(double value) { cells_.push_back(csv_.number(value)); }
  void estimate(const Estimate& e) { cells_.push_back(csv_.number(e)); }
  const std::vector<std::string>& cells() const { return cells_; }

 private:
  const CsvWriter& csv_;
  std::vector<std::string> cells_;
};

// Why U is empty, or why the order or an effectivity is.
std::string notes(const MeshOutcome& mesh, Estimator e, const EstimatorResult& r) {
  if (mesh.failed()) return "falhou: " + mesh.failure;
  if (!r.uncertainty.defined) return std::string(r.uncertainty.reason);
  std::string text;
  const auto note = [&text](std::string_view name, const Estimate& cell) {
    if (!cell.defined) text += (text.empty() ? "" : "; ") + std::string(name) + ": " + std::string(cell.reason);
  };
  if (e != Estimator::GciOscillation) note("ordem", r.order);  // that index uses none
  note("U/|E|", r.effectivity);
  note("U/|E_disc|", r.discretisation_effectivity);
  return text;
}

void append_mesh_row(CsvWriter& csv, const SchemeStudy& s, const QuantityEstimators& q,
                     Estimator e, std::size_t k) {
  const MeshOutcome& mesh = s.meshes[k];
  const std::size_t i = index_of(q.quantity);
  const QuantityAnalysis& a = s.rows[k][i];
  const EstimatorResult& r = q.meshes[k][index_of(e)];
  // A failed mesh has no values.
  const auto known = [&mesh](double value) { return mesh.failed() ? Estimate{} : defined_as(value); };
  CsvLine line(csv);
  line.text(scheme_name(s.scheme));
  line.text(quantity_name(q.quantity));
  line.text(estimator_name(e));
  line.text(std::to_string(mesh.N));
  line.number(mesh.dx);
  line.text(!mesh.failed() && a.convergence.defined ? convergence_name(a.convergence.kind) : "");
  for (const Estimate& cell : {r.order, r.safety, known(mesh.value[i]), r.exact_estimate,
                               known(mesh.exact[i]), r.uncertainty, r.standard, known(a.error),
                               mesh.failed() ? Estimate{} : a.discretisation_error, r.effectivity,
                               r.discretisation_effectivity}) {
    line.estimate(cell);
  }
  const bool judged = r.effectivity.defined;
  line.text(judged ? (conservative(r.uncertainty.value, a.error) ? "sim" : "não") : "");
  const LeastSquaresUncertainty& ls = q.least_squares[k];
  const bool fitted = e == Estimator::LeastSquares && r.uncertainty.defined;
  line.text(fitted ? std::string(expansion_name(ls.expansion)) + (ls.weighted ? ", ponderado" : "") : "");
  line.estimate(fitted ? defined_as(ls.deviation) : Estimate{});
  line.estimate(fitted ? defined_as(ls.data_range) : Estimate{});
  line.text(notes(mesh, e, r));
  csv.row(line.cells());
}

}  // namespace

std::string estimator_csv(const std::vector<SchemeStudy>& studies,
                          const std::vector<QuantityEstimators>& estimators,
                          const CsvDialect& dialect) {
  CsvWriter csv = estimator_writer(dialect);
  std::size_t next = 0;  // the estimators come one per scheme and quantity, as the tables
  for (const SchemeStudy& s : studies) {
    for (std::size_t quantity = 0; quantity < kQuantities.size(); ++quantity) {
      const QuantityEstimators& q = estimators[next++];
      for (Estimator e : kEstimators) {
        for (std::size_t k = 0; k < s.meshes.size(); ++k) append_mesh_row(csv, s, q, e, k);
      }
    }
  }
  return csv.take();
}

std::string estimator_summary_csv(const std::vector<QuantityEstimators>& estimators,
                                  const CsvDialect& dialect) {
  CsvWriter csv = summary_writer(dialect);
  for (const QuantityEstimators& q : estimators) {
    for (Estimator e : kEstimators) {
      const EstimatorSummary& summary = q.summaries[index_of(e)];
      for (const JudgementSet& set : kJudgementSets) {
        const Judgement& judgement = summary.*set.judgement;
        CsvLine line(csv);
        line.text(scheme_name(q.scheme));
        line.text(quantity_name(q.quantity));
        line.text(estimator_name(e));
        line.text(set.error);
        line.text(set.meshes);
        line.text(std::to_string(judgement.meshes));
        line.text(std::to_string(judgement.conservative));
        if (judgement.meshes > 0) {
          line.number(static_cast<double>(judgement.conservative) / judgement.meshes);
        } else {
          line.text("");
        }
        line.estimate(judgement.median);
        csv.row(line.cells());
      }
    }
  }
  return csv.take();
}

}  // namespace malhas
