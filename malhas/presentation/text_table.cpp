#include "malhas/presentation/text_table.h"

#include <algorithm>
#include <iterator>

#include "malhas/presentation/extrapolation_text.h"
#include "malhas/presentation/row_text.h"
#include "malhas/presentation/text_columns.h"
#include "textio/latin1.h"

namespace malhas {
namespace {

constexpr std::string_view kTitle = "Estudo de malhas da aleta";
constexpr std::string_view kLegend[] = {
    "E = exato - valor: erro verdadeiro da malha.",
    "p_E: ordem efetiva, de E na malha anterior e nesta; p_U: ordem aparente, das três últimas "
    "malhas, sem a solução exata.",
    "U(p): estimativa de Richardson de E, (valor - valor anterior)/(r^p - 1), com a ordem "
    "assintótica p_L ou com p_U.",
    "GCI: índice de convergência de malha, nas unidades da quantidade: 3|U(p_L)| e 1,25|U(p_U)|; "
    "GCI_rel(p_U) = GCI(p_U)/|valor|.",
    "Com razões de refinamento diferentes, p_U segue Celik et al. (2008), com a raiz da sua "
    "equação achada por bissecção; sem U(p_U) quando p_U <= 0 ou as duas diferenças mudam de sinal.",
    "U/E: a estimativa é confiável quando >= 1, e tanto melhor quanto mais perto de 1.",
    "Orçamento do erro, medido com a mesma malha em precisão quádrupla: E_discretizacao = exato - "
    "solução discreta convergida; E_iteracao = convergida - solução após as iterações feitas; "
    "E_arredondamento = essa solução - valor; p_E_disc: p_E de E_discretizacao.",
    "* em p_E: |E_arredondamento| >= 0,1|E_discretizacao|: o arredondamento pesa no erro da malha.",
    "< x: a parte do orçamento, ou o erro de um nível de extrapolação em precisão quádrupla, é "
    "menor que a resolução x da referência (o arredondamento da própria precisão quádrupla, que "
    "cresce com N^2): não se distingue de zero.",
    "convergência, das três últimas malhas, por R = (valor - anterior)/(anterior - penúltimo): "
    "monotônica com 0 < R < 1, oscilatória com -1 < R < 0, divergência com |R| >= 1, sem "
    "variação quando as duas malhas mais finas dão o mesmo valor.",
};

constexpr std::size_t kConvergenceWidth = 26;

}  // namespace

std::vector<std::string_view> table_legend() { return {std::begin(kLegend), std::end(kLegend)}; }

namespace {

std::size_t kind_width(EstimateKind kind) {
  switch (kind) {
    case EstimateKind::Order:
      return 9;
    case EstimateKind::Estimate:
      return 12;
    case EstimateKind::Ratio:
      break;
  }
  return 10;
}

// The kind's width, or more for a longer name.
std::size_t column_width(const NamedEstimate& cell) {
  return std::max(kind_width(cell.kind), cell.name.size() + 2);
}

std::string heading(bool iterated) {
  std::string line = column("N", 10) + column("dx", 13) + column("valor", 25) +
                     column("exato", 25) + column("E", 12);
  for (const NamedEstimate& cell : named_estimates(QuantityAnalysis{})) {
    line += column(std::string(cell.name), column_width(cell));
  }
  if (iterated) line += column("it", 8) + column("L1 final", 11);
  return line + column("convergência", kConvergenceWidth) + "  notas";
}

std::string row(const SchemeStudy& study, std::size_t k, Quantity q) {
  const RowTexts texts = row_texts(study, k, q);
  std::string line = column(texts.N, 10) + column(texts.dx, 13);
  if (!study.meshes[k].failed()) {
    const QuantityAnalysis& a = study.rows[k][index_of(q)];
    line += column(texts.value, 25) + column(texts.exact, 25) + column(texts.error, 12);
    std::size_t c = 0;
    for (const NamedEstimate& cell : named_estimates(a)) {
      const std::string text = column(texts.estimates[c++], column_width(cell));
      const bool marked = cell.estimate == &a.effective_order && a.round_off;
      line += marked ? text.substr(1) + "*" : text;
    }
    if (fin::iterates(study.scheme)) line += column(texts.iterations, 8) + column(texts.final_l1, 11);
    line += column(texts.convergence, kConvergenceWidth);
  }
  return texts.notes.empty() ? line : line + "  " + texts.notes;
}

void append_scheme(std::string& text, const SchemeStudy& study) {
  text += "\nEsquema na extremidade: " + std::string(scheme_name(study.scheme)) + "\n";
  for (Quantity q : kQuantities) {
    text += "\n" + std::string(quantity_title(q)) + "; ordem assintótica p_L = " +
            std::to_string(asymptotic_order(study.scheme, q)) + "\n";
    text += heading(fin::iterates(study.scheme)) + "\n";
    for (std::size_t k = 0; k < study.meshes.size(); ++k) text += row(study, k, q) + "\n";
  }
}

// LF line ends to CR LF.
std::string with_crlf(const std::string& text) {
  std::string out;
  out.reserve(text.size() + text.size() / 40);
  for (char c : text) out += c == '\n' ? std::string("\r\n") : std::string(1, c);
  return out;
}

}  // namespace

std::string text_table(const std::vector<SchemeStudy>& studies,
                       const std::vector<QuantityExtrapolation>& extrapolations,
                       const std::string& estimators) {
  std::string text(kTitle);
  text += "\n\n" + extrapolation_summary(extrapolations);
  for (const SchemeStudy& study : studies) append_scheme(text, study);
  text += extrapolation_section(extrapolations);
  text += estimators;
  text += "\n";
  for (std::string_view line : table_legend()) text += std::string(line) + "\n";
  return with_crlf(textio::to_latin1(text));
}

}  // namespace malhas
