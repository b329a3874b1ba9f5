#include "malhas/presentation/study_page_summary.h"

#include <cmath>
#include <optional>

#include "malhas/presentation/extrapolation_text.h"
#include "malhas/presentation/row_text.h"
#include "malhas/presentation/study_page_estimators.h"
#include "malhas/presentation/study_page_tables.h"

namespace malhas {
namespace {

// A number as the tables show it, marked with the column of malhas.csv it comes from and its mesh.
std::string number(std::string_view column, std::int32_t N, const std::string& text,
                   const std::string& more_attributes = "") {
  return element("span", html_text(text),
                 " class=\"v\"" + attribute("data-col", column) +
                     attribute("data-n", std::to_string(N)) + more_attributes);
}

// The estimate `which` of row `a`: its column's name and the text of its table cell.
NamedEstimate cell_of(const QuantityAnalysis& a, const Estimate& which) {
  for (const NamedEstimate& cell : named_estimates(a)) {
    if (cell.estimate == &which) return cell;
  }
  return {"", EstimateKind::Estimate, &which};  // not a column: no name to mark it with
}

// The estimate as its table cell shows it, marked with its column.
std::string estimate(const QuantityAnalysis& a, const Estimate& which, std::int32_t N) {
  const NamedEstimate cell = cell_of(a, which);
  return number(cell.name, N, estimate_text(cell, a.reference_resolution));
}

const QuantityAnalysis& row_of(const SchemeStudy& study, std::size_t k, Quantity q) {
  return study.rows[k][index_of(q)];
}

// The completed meshes whose row is marked by `marked`: "a partir de N = 2561" when they are
// all the completed meshes from the first of them on, else "nas malhas N = 41, 161"; empty when
// none is.
template <class Mark>
std::string marked_meshes(const SchemeStudy& study, Quantity q, Mark marked) {
  std::vector<std::int32_t> meshes;
  bool tail = true;
  for (std::size_t k = 0; k < study.meshes.size(); ++k) {
    if (study.meshes[k].failed()) continue;
    if (marked(row_of(study, k, q))) {
      meshes.push_back(study.meshes[k].N);
    } else if (!meshes.empty()) {
      tail = false;
    }
  }
  if (meshes.empty()) return {};
  if (tail && meshes.size() > 1) return "a partir de N = " + std::to_string(meshes.front());
  std::string text = meshes.size() == 1 ? "na malha N = " : "nas malhas N = ";
  for (std::size_t i = 0; i < meshes.size(); ++i)
    text += (i ? ", " : "") + std::to_string(meshes[i]);
  return text;
}

// The words and numbers of a card: sentences that read the study, and rows of numbers, each
// a label and a value (a long value on a line of its own).
struct Card {
  std::string words;
  struct Row {
    std::string label, value;  // HTML
    bool wide = false;
  };
  std::vector<Row> rows;
};

void add_finest(Card& card, const SchemeStudy& study, std::size_t k, Quantity q) {
  const RowTexts texts = row_texts(study, k, q);
  const std::int32_t N = study.meshes[k].N;
  card.rows.push_back({"malha mais fina", "N = " + html_text(texts.N)});
  card.rows.push_back({"valor", number("valor", N, texts.value)});
  card.rows.push_back({"erro verdadeiro E", number("erro", N, texts.error)});
}

// The largest part of the budget, by magnitude.
std::string_view dominant_part(const QuantityAnalysis& a) {
  const double d = std::fabs(a.discretisation_error.value), i = std::fabs(a.iteration_error.value),
               r = std::fabs(a.round_off_error.value);
  if (d >= i && d >= r) return "a discretização";
  return i >= r ? "a iteração" : "o arredondamento";
}

void add_budget(Card& card, const SchemeStudy& study, std::size_t k, Quantity q) {
  const QuantityAnalysis& a = row_of(study, k, q);
  if (!a.discretisation_error.defined) {
    card.words +=
        "Orçamento do erro não medido: " + html_text(a.discretisation_error.reason) + ". ";
    return;
  }
  const std::int32_t N = study.meshes[k].N;
  for (const Estimate* part : {&a.discretisation_error, &a.iteration_error, &a.round_off_error}) {
    card.rows.push_back({std::string(cell_of(a, *part).name), estimate(a, *part, N)});
  }
  card.words += "Na malha mais fina domina " + std::string(dominant_part(a)) + ". ";
  const std::string round_off =
      marked_meshes(study, q, [](const QuantityAnalysis& r) { return r.round_off; });
  card.words += round_off.empty() ? "O arredondamento não pesa em nenhuma malha. "
                                  : "O arredondamento pesa " + round_off + ". ";
  const std::string iteration =
      marked_meshes(study, q, [](const QuantityAnalysis& r) { return r.iteration; });
  if (!iteration.empty()) card.words += "A iteração pesa " + iteration + ". ";
}

// The finest completed mesh without a mark whose p_E is defined, if any.
std::optional<std::size_t> finest_unmarked_order(const SchemeStudy& study, Quantity q) {
  for (std::size_t k = study.meshes.size(); k-- > 0;) {
    if (study.meshes[k].failed()) continue;
    if (!marked(study, k, q) && row_of(study, k, q).effective_order.defined) return k;
  }
  return std::nullopt;
}

// The order of the method: p_E_disc on the finest mesh when measured, else p_E on the finest
// mesh without a mark; and p_U beside it.
void add_orders(Card& card, const SchemeStudy& study, std::size_t finest, Quantity q) {
  const int p_L = asymptotic_order(study.scheme, q);
  card.rows.push_back({"p_L, a ordem do esquema", std::to_string(p_L)});
  std::optional<NamedEstimate> observed;
  const QuantityAnalysis& f = row_of(study, finest, q);
  if (f.discretisation_order.defined) {
    card.rows.push_back({"p_E_disc na malha mais fina",
                         estimate(f, f.discretisation_order, study.meshes[finest].N)});
    observed = cell_of(f, f.discretisation_order);
  }
  if (const std::optional<std::size_t> k = finest_unmarked_order(study, q)) {
    const QuantityAnalysis& a = row_of(study, *k, q);
    const std::int32_t N = study.meshes[*k].N;
    const std::string where = *k == finest
                                  ? " na malha mais fina"
                                  : " em N = " + std::to_string(N) + ", a mais fina sem marca";
    card.rows.push_back({"p_E" + where, estimate(a, a.effective_order, N)});
    card.rows.push_back({"p_U" + where, estimate(a, a.apparent_order, N)});
    if (!observed) observed = cell_of(a, a.effective_order);
  }
  if (!observed) {
    card.words += "Nenhuma malha sem marca mostra a ordem. ";
    return;
  }
  card.words +=
      "A ordem observada, " + std::string(observed->name) + " = " + estimate_text(*observed);
  card.words += near_asymptotic(*observed->estimate, p_L)
                    ? ", está a menos de 10% de p_L = " + std::to_string(p_L) +
                          ": o esquema mostra a sua ordem. "
                    : ", difere de p_L = " + std::to_string(p_L) +
                          " em mais de 10%: as malhas ainda não mostram a ordem assintótica. ";
}

void add_best(Card& card, const QuantityExtrapolation& e, const std::string& finest_error) {
  const std::optional<BestEstimateText> best = best_estimate_text(e);
  if (!best) return;
  const std::string level = attribute("data-nivel", std::to_string(best->level)) +
                            attribute("data-aritmetica", best->arithmetic);
  const std::string which = "nível " + std::to_string(best->level) + ", " +
                            std::string(best->arithmetic) + ", N = " + std::to_string(best->N);
  card.rows.push_back({"melhor valor extrapolado (" + which + ")",
                       number("valor", best->N, best->value, level), true});
  card.rows.push_back({"o seu erro", number("erro", best->N, best->error, level)});
  card.words += "A extrapolação de Richardson repetida leva o erro de " + html_text(finest_error) +
                " (malha mais fina) a " + html_text(best->error) + " (" + which + ").";
}

std::optional<std::size_t> finest_completed(const SchemeStudy& study) {
  for (std::size_t k = study.meshes.size(); k-- > 0;) {
    if (!study.meshes[k].failed()) return k;
  }
  return std::nullopt;
}

std::string card_html(const Card& card) {
  std::string rows;
  for (const Card::Row& row : card.rows) {
    rows += row.wide ? element("tr", element("th", row.label, " colspan=\"2\"")) +
                           element("tr", element("td", row.value, " colspan=\"2\" class=\"n\""))
                     : element("tr",
                               element("th", row.label) + element("td", row.value, " class=\"n\""));
  }
  return element("p", card.words, " class=\"leitura\"") +
         element("table", rows, " class=\"numeros\"");
}

std::string card(const SchemeStudy& study, Quantity q,
                 const std::vector<QuantityExtrapolation>& extrapolations) {
  Card card;
  if (const std::optional<std::size_t> finest = finest_completed(study)) {
    add_finest(card, study, *finest, q);
    add_budget(card, study, *finest, q);
    add_orders(card, study, *finest, q);
    for (const QuantityExtrapolation& e : extrapolations) {
      if (e.scheme == study.scheme && e.quantity == q) {
        add_best(card, e, row_texts(study, *finest, q).error);
      }
    }
  } else {
    card.words = "Nenhuma malha completou: o motivo está nas tabelas.";
  }
  const std::string link =
      element("a", "as tabelas desta grandeza", attribute("href", "#" + table_anchor(study.scheme, q))) + " · " +
      element("a", "os seus estimadores de incerteza", attribute("href", "#" + estimator_anchor(study.scheme, q)));
  return element("div",
                 element("h4", html_text(quantity_title(q))) + card_html(card) +
                     element("p", link, " class=\"ver\""),
                 " class=\"cartao\"" + attribute("data-esquema", scheme_name(study.scheme)) +
                     attribute("data-quantidade", quantity_name(q))) +
         "\n";
}

}  // namespace

PageSection summary_section(const std::vector<SchemeStudy>& studies,
                            const std::vector<QuantityExtrapolation>& extrapolations) {
  std::string body;
  for (const SchemeStudy& study : studies) {
    std::string cards;
    for (Quantity q : kQuantities) cards += card(study, q, extrapolations);
    body += element("h3", "Esquema " + html_text(scheme_name(study.scheme))) +
            element("div", "\n" + cards, " class=\"cartoes\"") + "\n";
  }
  return {"resumo", "Resumo", body};
}

}  // namespace malhas
