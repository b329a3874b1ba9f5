#include "malhas/presentation/row_text.h"

#include <vector>

#include "malhas/presentation/estimator_words.h"
#include "malhas/presentation/number_text.h"
#include "malhas/verification/error_budget.h"

namespace malhas {

namespace {

struct QuantityWords {
  std::string_view name, title, unit;
};
constexpr QuantityWords kQuantityWords[] = {
    {"T(N)", "T(N): temperatura na extremidade [ºC], exata Ta(N)", "ºC"},
    {"qdds1", "qdds1: taxa de transferência de calor na base por DDS-1 [W], exata qa", "W"},
    {"qdds2", "qdds2: taxa de transferência de calor na base por DDS-2 [W], exata qa", "W"},
};

}  // namespace

std::string_view quantity_name(Quantity q) { return kQuantityWords[index_of(q)].name; }

std::string_view quantity_title(Quantity q) { return kQuantityWords[index_of(q)].title; }

std::string_view quantity_unit(Quantity q) { return kQuantityWords[index_of(q)].unit; }

std::array<NamedEstimate, 13> named_estimates(const QuantityAnalysis& a) {
  using K = EstimateKind;
  return {{{"E_discretizacao", K::Estimate, &a.discretisation_error},
           {"E_iteracao", K::Estimate, &a.iteration_error},
           {"E_arredondamento", K::Estimate, &a.round_off_error},
           {"p_E", K::Order, &a.effective_order},
           {"p_E_disc", K::Order, &a.discretisation_order},
           {"p_U", K::Order, &a.apparent_order},
           {"U(p_L)", K::Estimate, &a.estimate_asymptotic},
           {"U(p_U)", K::Estimate, &a.estimate_apparent},
           {"GCI(p_L)", K::Estimate, &a.gci_asymptotic},
           {"GCI(p_U)", K::Estimate, &a.gci_apparent},
           {"GCI_rel(p_U)", K::Estimate, &a.gci_apparent_relative},
           {"U(p_L)/E", K::Ratio, &a.ratio_asymptotic},
           {"U(p_U)/E", K::Ratio, &a.ratio_apparent}}};
}

std::string estimate_text(const NamedEstimate& cell, const Estimate& resolution) {
  const Estimate& e = *cell.estimate;
  if (!e.defined && e.reason == kBelowResolution && resolution.defined) {
    return below_bound_text(resolution.value);
  }
  if (!e.defined) return "-";
  return cell.kind == EstimateKind::Estimate ? scientific_text(e.value, 4) : fixed_text(e.value, 3);
}

namespace {

// "p_E, p_U: malhas insuficientes": the empty cells grouped by reason, in order of appearance.
std::vector<std::string> empty_cell_notes(const QuantityAnalysis& a) {
  struct Group {
    std::string_view reason;
    std::string names;
    bool from_order;  // led by an empty order, whose estimates share its reason
  };
  std::vector<Group> groups;
  for (const NamedEstimate& cell : named_estimates(a)) {
    if (cell.estimate->defined) continue;
    const bool order = cell.kind == EstimateKind::Order;
    bool named = false;
    for (Group& group : groups) {
      if (group.reason != cell.estimate->reason) continue;
      // The estimates made from an empty order share its reason: the order's name says enough.
      if (order || !group.from_order) group.names += ", " + std::string(cell.name);
      named = true;
    }
    if (!named) groups.push_back({cell.estimate->reason, std::string(cell.name), order});
  }
  std::vector<std::string> notes;
  for (const Group& group : groups) {
    std::string note = group.names + ": " + std::string(group.reason);
    if (group.reason == kBelowResolution) {
      note += " (" + below_bound_text(a.reference_resolution.value) + ")";
    }
    notes.push_back(note);
  }
  return notes;
}

}  // namespace

std::string row_notes(const SchemeStudy& study, std::size_t mesh, Quantity q) {
  const MeshOutcome& outcome = study.meshes[mesh];
  if (outcome.failed()) return "falhou: " + outcome.failure;
  const QuantityAnalysis& a = study.rows[mesh][index_of(q)];
  std::vector<std::string> notes = empty_cell_notes(a);
  if (a.round_off) notes.emplace_back("arredondamento: |E_arredondamento| >= 0,1|E_discretizacao|");
  if (fin::iterates(study.scheme) && !outcome.converged) notes.emplace_back("parou em itmax sem atingir tol");
  if (a.iteration) {
    notes.emplace_back("iteração: |E_iteracao| >= 0,1|E_discretizacao|: o erro não é só de discretização");
  }
  std::string text;
  for (const std::string& note : notes) text += (text.empty() ? "" : "; ") + note;
  return text;
}

RowTexts row_texts(const SchemeStudy& study, std::size_t mesh, Quantity q) {
  const MeshOutcome& outcome = study.meshes[mesh];
  RowTexts texts;
  texts.N = std::to_string(outcome.N);
  texts.dx = scientific_text(outcome.dx, 6);
  texts.notes = row_notes(study, mesh, q);
  if (outcome.failed()) return texts;
  const std::size_t i = index_of(q);
  const QuantityAnalysis& a = study.rows[mesh][i];
  texts.value = exact_text(outcome.value[i]);
  texts.exact = exact_text(outcome.exact[i]);
  texts.error = scientific_text(a.error, 4);
  for (const NamedEstimate& cell : named_estimates(a)) {
    texts.estimates.push_back(estimate_text(cell, a.reference_resolution));
  }
  texts.convergence = a.convergence.defined ? std::string(convergence_name(a.convergence.kind)) : "-";
  if (fin::iterates(study.scheme)) {
    texts.iterations = std::to_string(outcome.iterations);
    texts.final_l1 = scientific_text(outcome.final_l1, 3);
  }
  return texts;
}

}  // namespace malhas
