#include "malhas/csv_table.h"

#include "malhas/number_text.h"
#include "malhas/row_text.h"

namespace malhas {
namespace {

constexpr std::string_view kHeader =
    "esquema,N,dx,quantidade,valor,exato,erro,p_L,p_E,p_U,U(p_L),U(p_U),GCI(p_L),GCI(p_U),"
    "U(p_L)/E,U(p_U)/E,arredondamento,iteracoes,L1_final,convergiu,observacoes\n";

// A field between double quotes when it holds a separator or a quote, which is doubled.
std::string quoted(const std::string& text) {
  if (text.find_first_of(",\"\n") == std::string::npos) return text;
  std::string field = "\"";
  for (char c : text) field += c == '"' ? std::string("\"\"") : std::string(1, c);
  return field + "\"";
}

void append_row(std::string& csv, const SchemeStudy& study, std::size_t k, Quantity q) {
  const MeshOutcome& mesh = study.meshes[k];
  std::string row = std::string(scheme_name(study.scheme)) + "," + std::to_string(mesh.N) + "," +
                    exact_text(mesh.dx) + "," + std::string(quantity_name(q)) + ",";
  const auto cell = [&row](const std::string& text) { row += text + ","; };
  if (mesh.failed()) {
    row += std::string(16, ',');
  } else {
    const std::size_t i = index_of(q);
    const QuantityAnalysis& a = study.rows[k][i];
    cell(exact_text(mesh.value[i]));
    cell(exact_text(mesh.exact[i]));
    cell(exact_text(a.error));
    cell(std::to_string(asymptotic_order(study.scheme, q)));
    for (const NamedEstimate& e : named_estimates(a)) {
      cell(e.estimate->defined ? exact_text(e.estimate->value) : "");
    }
    cell(a.round_off ? "sim" : "");
    const bool iterated = fin::iterates(study.scheme);
    cell(iterated ? std::to_string(mesh.iterations) : "");
    cell(iterated ? exact_text(mesh.final_l1) : "");
    cell(iterated ? (mesh.converged ? "sim" : "não") : "");
  }
  csv += row + quoted(row_notes(study, k, q)) + "\n";
}

}  // namespace

std::string csv_table(const std::vector<SchemeStudy>& studies) {
  std::string csv(kHeader);
  for (const SchemeStudy& study : studies) {
    for (std::size_t k = 0; k < study.meshes.size(); ++k) {
      for (Quantity q : kQuantities) append_row(csv, study, k, q);
    }
  }
  return csv;
}

}  // namespace malhas
