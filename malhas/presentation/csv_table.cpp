#include "malhas/presentation/csv_table.h"

#include <iterator>

#include "malhas/presentation/estimator_words.h"
#include "malhas/presentation/number_text.h"
#include "malhas/presentation/row_text.h"

namespace malhas {
namespace {

constexpr std::string_view kColumns[] = {
    "esquema",  "N",        "dx",           "quantidade",     "valor",     "exato",
    "erro",     "p_L",      "E_discretizacao", "E_iteracao",  "E_arredondamento",
    "p_E",      "p_E_disc", "p_U",          "U(p_L)",         "U(p_U)",    "GCI(p_L)",
    "GCI(p_U)", "GCI_rel(p_U)", "U(p_L)/E", "U(p_U)/E",       "arredondamento", "iteracao",
    "iteracoes", "L1_final", "convergiu",   "convergencia", "observacoes"};

// A field between double quotes when it holds a separator or a quote, which is doubled.
std::string quoted(const std::string& text, char separator) {
  if (text.find_first_of(std::string{separator, '"', '\r', '\n'}) == std::string::npos) return text;
  std::string field = "\"";
  for (char c : text) field += c == '"' ? std::string("\"\"") : std::string(1, c);
  return field + "\"";
}

// A number that reads back to the same double, with the dialect's decimal mark.
std::string number(double value, const CsvDialect& dialect) {
  std::string text = exact_text(value);
  for (char& c : text) {
    if (c == '.') c = dialect.decimal_mark;
  }
  return text;
}

void append_row(std::string& csv, const SchemeStudy& study, std::size_t k, Quantity q,
                const CsvDialect& dialect) {
  const MeshOutcome& mesh = study.meshes[k];
  std::string row;
  const auto cell = [&row, &dialect](const std::string& text) { row += text + dialect.separator; };
  const auto exact = [&dialect](double value) { return number(value, dialect); };
  cell(std::string(scheme_name(study.scheme)));
  cell(std::to_string(mesh.N));
  cell(exact(mesh.dx));
  cell(std::string(quantity_name(q)));
  if (mesh.failed()) {
    row += std::string(std::size(kColumns) - 5, dialect.separator);
  } else {
    const std::size_t i = index_of(q);
    const QuantityAnalysis& a = study.rows[k][i];
    cell(exact(mesh.value[i]));
    cell(exact(mesh.exact[i]));
    cell(exact(a.error));
    cell(std::to_string(asymptotic_order(study.scheme, q)));
    for (const NamedEstimate& e : named_estimates(a)) {
      cell(e.estimate->defined ? exact(e.estimate->value) : "");
    }
    cell(a.round_off ? "sim" : "");
    cell(a.iteration ? "sim" : "");
    const bool iterated = fin::iterates(study.scheme);
    cell(iterated ? std::to_string(mesh.iterations) : "");
    cell(iterated ? exact(mesh.final_l1) : "");
    cell(iterated ? (mesh.converged ? "sim" : "não") : "");
    cell(a.convergence.defined ? std::string(convergence_name(a.convergence.kind)) : "");
  }
  csv += row + quoted(row_notes(study, k, q), dialect.separator);
  csv += dialect.line_end;
}

}  // namespace

std::string csv_table(const std::vector<SchemeStudy>& studies, const CsvDialect& dialect) {
  std::string csv(dialect.preamble);
  for (std::size_t c = 0; c < std::size(kColumns); ++c) {
    if (c > 0) csv += dialect.separator;
    csv += kColumns[c];
  }
  csv += dialect.line_end;
  for (const SchemeStudy& study : studies) {
    for (std::size_t k = 0; k < study.meshes.size(); ++k) {
      for (Quantity q : kQuantities) append_row(csv, study, k, q, dialect);
    }
  }
  return csv;
}

std::string csv_field(const std::string& text, const CsvDialect& dialect) {
  return quoted(text, dialect.separator);
}

std::string csv_number(double value, const CsvDialect& dialect) { return number(value, dialect); }

}  // namespace malhas
