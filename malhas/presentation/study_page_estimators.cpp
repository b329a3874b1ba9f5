#include "malhas/presentation/study_page_estimators.h"

#include <cmath>
#include <optional>

#include "malhas/presentation/estimator_words.h"
#include "malhas/presentation/row_text.h"
#include "malhas/presentation/study_page_tables.h"
#include "malhas/presentation/svg_text.h"

namespace malhas {
namespace {

// "7/9 (78 %)": on how many of the meshes judged U >= |E|.
std::string share_text(const Judgement& j) {
  std::string text = std::to_string(j.conservative) + "/" + std::to_string(j.meshes);
  if (j.meshes == 0) return text;
  const long percent = std::lround(100.0 * j.conservative / j.meshes);
  return text + " (" + std::to_string(percent) + " %)";
}

HtmlTable summary_table(const QuantityEstimators& q) {
  HtmlTable table{"Resumo: em quantas das malhas julgadas U ≥ |E|, e a mediana de U/|E|", {"estimador"}, {}, {}};
  table.groups.push_back({"", false, 1, {}});
  for (const JudgementSet& set : kJudgementSets) {
    table.groups.push_back({std::string(set.title), false, 2, {}});
    const std::string error(set.error_bars);
    table.heading.insert(table.heading.end(), {"U ≥ " + error, "mediana de U/" + error});
  }
  for (Estimator e : kEstimators) {
    const std::string name(estimator_name(e));
    HtmlRow row{{{name, false, 1, {}}}, {}, {}};
    for (const JudgementSet& set : kJudgementSets) {
      const Judgement& j = q.summaries[index_of(e)].*set.judgement;
      const std::string marks = attribute("data-estimador", name) + attribute("data-contra", set.error) +
                                attribute("data-malhas", set.meshes);
      row.cells.push_back({share_text(j), true, 1, marks + attribute("data-col", "conservadoras")});
      row.cells.push_back({effectivity_text(j.median), true, 1, marks + attribute("data-col", "mediana_U/|E|")});
    }
    table.rows.push_back(std::move(row));
  }
  return table;
}

HtmlTable mesh_table(const SchemeStudy& study, const QuantityEstimators& q) {
  HtmlTable table{"U e U/|E| de cada estimador, malha a malha", {"N", "convergência"}, {}, {{"", false, 2, {}}}};
  for (Estimator e : kEstimators) {
    table.groups.push_back({std::string(estimator_name(e)), false, 2, {}});
    table.heading.insert(table.heading.end(), {"U", "U/|E|"});
  }
  for (std::size_t k = 0; k < study.meshes.size(); ++k) {
    const MeshOutcome& mesh = study.meshes[k];
    HtmlRow row{{{std::to_string(mesh.N), true, 1, {}}}, mesh_row_class(study, k, q.quantity), {}};
    if (mesh.failed()) {
      row.cells.push_back({"falhou: " + mesh.failure, false, static_cast<int>(table.heading.size()) - 1, {}});
      table.rows.push_back(std::move(row));
      continue;
    }
    const ConvergenceType& type = study.rows[k][index_of(q.quantity)].convergence;
    row.cells.push_back({type.defined ? std::string(convergence_name(type.kind)) : "-", false, 1, {}});
    for (Estimator e : kEstimators) {
      const EstimatorResult& r = q.meshes[k][index_of(e)];
      const std::string marks = attribute("data-estimador", estimator_name(e));
      row.cells.push_back({uncertainty_text(r.uncertainty), true, 1, marks + attribute("data-col", "U")});
      row.cells.push_back({effectivity_text(r.effectivity), true, 1, marks + attribute("data-col", "U/|E|")});
    }
    table.rows.push_back(std::move(row));
  }
  return table;
}

// How the estimators fared over every mesh, in words: which always held the error, which
// understated it somewhere, which never applied, and the tightest of those that always held.
std::string reading(const QuantityEstimators& q) {
  std::vector<std::string> held, understated, none;
  std::optional<Estimator> tightest;
  const auto all = [&q](Estimator e) -> const Judgement& { return q.summaries[index_of(e)].all; };
  for (Estimator e : kEstimators) {
    const Judgement& j = all(e);
    const std::string name(estimator_name(e));
    if (j.meshes == 0) {
      none.push_back(name);
    } else if (j.conservative == j.meshes) {
      held.push_back(name);
      if (!tightest || j.median.value < all(*tightest).median.value) tightest = e;
    } else {
      understated.push_back(name + " (em " + std::to_string(j.meshes - j.conservative) + " de " +
                            std::to_string(j.meshes) + ")");
    }
  }
  std::string text;
  if (!held.empty()) text += "Contiveram o erro em todas as malhas em que se aplicaram: " + listed(held) + ". ";
  if (!understated.empty()) text += "Subestimaram o erro em alguma malha: " + listed(understated) + ". ";
  if (!none.empty()) text += "Não se aplicaram em nenhuma malha: " + listed(none) + ". ";
  if (held.size() > 1) {
    text += "Dos que sempre contiveram o erro, o mais justo (mediana de U/|E| mais perto de 1) foi " +
            std::string(estimator_name(*tightest)) + ", com " + effectivity_text(all(*tightest).median) + ".";
  }
  return element("p", html_text(text));
}

std::string quantity_part(const SchemeStudy& study, const QuantityEstimators& q) {
  const std::string title = std::string(quantity_title(q.quantity)) + "; ordem assintótica p_L = " +
                            std::to_string(asymptotic_order(study.scheme, q.quantity));
  return element("div",
                 element("h4", html_text(title), attribute("id", estimator_anchor(study.scheme, q.quantity))) +
                     "\n" + reading(q) + "\n" + html_table(summary_table(q)) + html_table(mesh_table(study, q)),
                 " class=\"estimadores\"" + attribute("data-esquema", scheme_name(study.scheme)) +
                     attribute("data-quantidade", quantity_name(q.quantity))) +
         "\n";
}

}  // namespace

std::string estimator_anchor(fin::TipScheme scheme, Quantity q) {
  return "estimadores-" + std::to_string(static_cast<int>(scheme)) + "-" + std::to_string(index_of(q));
}

PageSection estimator_page_section(const std::vector<SchemeStudy>& studies,
                                   const std::vector<QuantityEstimators>& estimators,
                                   const std::string& chart) {
  std::string body =
      element("p",
              "Sem a solução exata, o erro de um valor se estima pelos próprios valores das malhas, "
              "com um estimador de incerteza: uma faixa U que deveria conter o erro. Como o "
              "estudo conhece a solução exata, ele julga cada estimador em cada malha pela "
              "efetividade U/|E|: com U/|E| &ge; 1 o estimador conteve o erro (foi conservador); "
              "abaixo de 1, subestimou-o. GCI(p_L): índice de Roache de duas malhas com a ordem "
              "do esquema, Fs = 3; GCI(p_U): índice de três malhas de Celik et al. (2008), com a "
              "ordem aparente e Fs = 1,25; GCI(osc): 3 vezes a faixa dos três valores, na "
              "convergência oscilatória; FS: fator de segurança de Xing e Stern (2010); MQ: "
              "mínimos quadrados de Eça e Hoekstra (2014). Todos os números, com u_num = U/2, a "
              "estimativa do valor exato e U/|E_discretizacao|, estão em " +
                  element("a", "estimadores.csv", attribute("href", "estimadores.csv")) + " e " +
                  element("a", "estimadores_resumo.csv", attribute("href", "estimadores_resumo.csv")) +
                  "; o guia os explica na seção " +
                  guide_section("Estimadores de incerteza") + ".") +
      "\n" + chart;
  std::size_t next = 0;  // one per scheme and quantity, as the tables
  for (const SchemeStudy& study : studies) {
    body += element("h3", "Esquema " + html_text(scheme_name(study.scheme))) + "\n";
    for (std::size_t quantity = 0; quantity < kQuantities.size(); ++quantity) {
      body += quantity_part(study, estimators[next++]);
    }
  }
  return {"estimadores", "Estimadores de incerteza", body};
}

}  // namespace malhas
