#include "malhas/presentation/study_page_tables.h"

#include "malhas/presentation/extrapolation_text.h"
#include "malhas/presentation/row_text.h"

namespace malhas {
namespace {

// The first table holds the mesh's value and its error budget; the second every other estimate.
bool budget_part(const NamedEstimate& cell, const QuantityAnalysis& a) {
  return cell.estimate == &a.discretisation_error || cell.estimate == &a.iteration_error ||
         cell.estimate == &a.round_off_error;
}

HtmlCell number(const std::string& text) { return {text, true, 1, {}}; }

HtmlTable budget_table(const SchemeStudy& study, Quantity q) {
  HtmlTable table{"Valor e orçamento do erro", {"N", "dx", "valor", "exato", "E"}, {}, {}};
  const QuantityAnalysis heading;
  for (const NamedEstimate& cell : named_estimates(heading)) {
    if (budget_part(cell, heading)) table.heading.emplace_back(cell.name);
  }
  for (std::size_t k = 0; k < study.meshes.size(); ++k) {
    const RowTexts texts = row_texts(study, k, q);
    HtmlRow row{{number(texts.N), number(texts.dx)}, mesh_row_class(study, k, q), texts.notes};
    if (study.meshes[k].failed()) {
      row.cells.push_back({texts.notes, false, static_cast<int>(table.heading.size()) - 2, {}});
    } else {
      const QuantityAnalysis& a = study.rows[k][index_of(q)];
      for (const std::string* text : {&texts.value, &texts.exact, &texts.error})
        row.cells.push_back(number(*text));
      std::size_t c = 0;
      for (const NamedEstimate& cell : named_estimates(a)) {
        if (budget_part(cell, a)) row.cells.push_back(number(texts.estimates[c]));
        ++c;
      }
    }
    table.rows.push_back(std::move(row));
  }
  return table;
}

HtmlTable estimates_table(const SchemeStudy& study, Quantity q) {
  const bool iterated = fin::iterates(study.scheme);
  HtmlTable table{"Ordens e estimativas", {"N"}, {}, {}};
  const QuantityAnalysis heading;
  for (const NamedEstimate& cell : named_estimates(heading)) {
    if (!budget_part(cell, heading)) table.heading.emplace_back(cell.name);
  }
  if (iterated) table.heading.insert(table.heading.end(), {"it", "L1 final"});
  table.heading.insert(table.heading.end(), {"convergência", "notas"});
  for (std::size_t k = 0; k < study.meshes.size(); ++k) {
    const RowTexts texts = row_texts(study, k, q);
    HtmlRow row{{number(texts.N)}, mesh_row_class(study, k, q), {}};
    if (study.meshes[k].failed()) {
      row.cells.push_back({"", false, static_cast<int>(table.heading.size()) - 2, {}});
    } else {
      const QuantityAnalysis& a = study.rows[k][index_of(q)];
      std::size_t c = 0;
      for (const NamedEstimate& cell : named_estimates(a)) {
        const std::string& text = texts.estimates[c++];
        if (budget_part(cell, a)) continue;
        // As in malhas.txt: a star on p_E where round-off weighs.
        const bool starred = cell.estimate == &a.effective_order && a.round_off;
        row.cells.push_back(number(starred ? text + "*" : text));
      }
      if (iterated)
        row.cells.insert(row.cells.end(), {number(texts.iterations), number(texts.final_l1)});
      row.cells.push_back({texts.convergence, false, 1, {}});
    }
    row.cells.push_back({texts.notes, false, 1, {}});
    table.rows.push_back(std::move(row));
  }
  return table;
}

std::string scheme_tables(const SchemeStudy& study) {
  std::string html = element("h3", "Esquema " + html_text(scheme_name(study.scheme))) + "\n";
  for (Quantity q : kQuantities) {
    const std::string title = std::string(quantity_title(q)) + "; ordem assintótica p_L = " +
                              std::to_string(asymptotic_order(study.scheme, q));
    html += element("h4", html_text(title),
                    attribute("id", table_anchor(study.scheme, q)) + attribute("data-esquema", scheme_name(study.scheme)) +
                        attribute("data-quantidade", quantity_name(q))) +
            "\n" +
            html_table(budget_table(study, q)) + html_table(estimates_table(study, q));
  }
  return html;
}

template <class Real>
std::string level_table(const QuantityExtrapolation& e,
                        const std::vector<LevelValue<Real>>& table) {
  const LevelGrid grid = level_grid(table);
  if (grid.rows.size() < 2) return element("p", html_text(no_levels_text(e))) + "\n";
  HtmlTable html{quantity_subject(e) + "; ordem removida por nível " + removed_orders_text(grid), {"N"}, {}, {}};
  for (std::size_t level = 0; level <= grid.removed_orders.size(); ++level) {
    html.heading.insert(html.heading.end(), {"E" + std::to_string(level), "p_E"});
  }
  for (const LevelGrid::Row& row : grid.rows) {
    HtmlRow cells{{number(std::to_string(row.N))}, {}, {}};
    for (std::size_t level = 0; level < row.errors.size(); ++level) {
      cells.cells.insert(cells.cells.end(), {number(row.errors[level]), number(row.orders[level])});
    }
    // The levels that do not reach this mesh yet: empty cells, so that the columns hold.
    cells.cells.resize(html.heading.size());
    html.rows.push_back(std::move(cells));
  }
  return html_table(html);
}

}  // namespace

std::string mesh_row_class(const SchemeStudy& study, std::size_t k, Quantity q) {
  if (study.meshes[k].failed()) return "falhou";
  return marked(study, k, q) ? "marcada" : "";
}

std::string table_anchor(fin::TipScheme scheme, Quantity q) {
  return "tabela-" + std::to_string(static_cast<int>(scheme)) + "-" + std::to_string(index_of(q));
}

PageSection mesh_tables_section(const std::vector<SchemeStudy>& studies) {
  std::string body =
      element("p",
              "As tabelas de malhas.txt, com os mesmos números. Linhas em amarelo: malhas marcadas "
              "(o arredondamento ou a iteração pesa no erro; a nota diz qual); em vermelho: malhas "
              "que falharam. As colunas estão explicadas em " +
                  element("a", "Como ler", attribute("href", "#como-ler")) + ".") +
      "\n";
  for (const SchemeStudy& study : studies) body += scheme_tables(study);
  return {"tabelas", "Tabelas por malha", body};
}

PageSection extrapolation_tables_section(const std::vector<QuantityExtrapolation>& extrapolations) {
  std::string body =
      element(
          "p",
          "O nível j combina dois valores consecutivos do nível j &minus; 1, (r<sup>p</sup> fino "
          "&minus; grosso)/(r<sup>p</sup> &minus; 1), e remove o termo do erro de ordem " +
              removed_order_formulas(extrapolations, "&minus;") +
              "; Ej = exato &minus; valor do nível j, e p_E a sua ordem efetiva, que deve tender à "
              "ordem do termo seguinte.") +
      "\n";
  body += element("h3", "Na solução discreta convergida em precisão quádrupla") + "\n";
  bool referenced = false;
  for (const QuantityExtrapolation& e : extrapolations) {
    if (e.quad_table.empty()) continue;
    body += level_table(e, e.quad_table);
    referenced = true;
  }
  if (!referenced)
    body += element("p", "Nenhuma malha com referência em precisão quádrupla.") + "\n";
  body += element("h3", "Nos valores em aritmética dupla") + "\n";
  for (const QuantityExtrapolation& e : extrapolations) body += level_table(e, e.table);
  return {"extrapolacao", "Extrapolação de Richardson repetida", body};
}

}  // namespace malhas
