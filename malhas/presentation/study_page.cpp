#include "malhas/presentation/study_page.h"

#include "fin/entradas.h"

#include "malhas/presentation/html.h"
#include "malhas/presentation/number_text.h"
#include "malhas/presentation/row_text.h"
#include "malhas/presentation/study_page_estimators.h"
#include "malhas/presentation/study_page_summary.h"
#include "malhas/presentation/study_page_tables.h"
#include "malhas/presentation/text_table.h"
#include "malhas/verification/mesh_sequence.h"

namespace malhas {
namespace {

// At most 1280 px wide with its margins; a table wider than that scrolls inside its own box.
constexpr std::string_view kStyle = R"(
*{box-sizing:border-box}
body{margin:0 auto;max-width:1280px;padding:0 24px 48px;font-family:"Segoe UI",Roboto,"Helvetica Neue",Arial,sans-serif;font-size:15px;line-height:1.45;color:#1b1f24;background:#fff}
header{border-bottom:2px solid #1f4e79;margin-bottom:8px}
h1{font-size:26px;margin:20px 0 2px;color:#1f4e79}
h2{font-size:21px;margin:32px 0 8px;padding-bottom:2px;border-bottom:1px solid #c9d3dd;color:#1f4e79}
h3{font-size:17px;margin:20px 0 6px}
h4{font-size:15px;margin:16px 0 4px}
p{margin:6px 0}
.sub{margin:0 0 6px;color:#4a5560}
nav{margin:0 0 10px}
nav a{margin-right:14px}
a{color:#0b5cad}
code{font-family:Consolas,"DejaVu Sans Mono",monospace;font-size:14px;background:#f2f4f7;padding:1px 4px;border-radius:3px}
.lado{display:flex;flex-wrap:wrap;gap:10px 32px;align-items:flex-start}
.rolagem{max-width:100%;overflow-x:auto;margin:4px 0 14px}
table{border-collapse:collapse;font-size:13px}
caption{text-align:left;font-weight:600;padding:2px 0 4px;color:#33404d}
th{background:#e8eef4;font-weight:600;text-align:center;padding:3px 7px;border-bottom:1px solid #aab7c4;white-space:nowrap}
td{padding:2px 7px;border-bottom:1px solid #e3e7eb;vertical-align:top}
td.n{text-align:right;white-space:nowrap;font-variant-numeric:tabular-nums}
tr.marcada td{background:#fff3c4}
tr.falhou td{background:#fbdede}
.cartoes{display:grid;grid-template-columns:repeat(auto-fill,minmax(370px,1fr));gap:12px}
.cartao{border:1px solid #c9d3dd;border-radius:6px;padding:8px 14px;background:#f8fafc}
.cartao h4{margin:4px 0 6px;color:#1f4e79}
.leitura{margin:2px 0 8px}
table.numeros{width:100%}
table.numeros th{background:none;text-align:left;font-weight:normal;color:#4a5560;white-space:normal;border-bottom:none;padding:1px 8px 1px 0}
table.numeros td{border-bottom:none;padding:1px 0}
table.numeros tr:has(th[colspan]) th{padding-bottom:0}
.v{font-variant-numeric:tabular-nums;white-space:nowrap}
.ver{font-size:13px}
figure{margin:12px 0 24px}
figcaption{margin-bottom:4px}
figure svg{display:block;max-width:100%;height:auto}
li{margin:3px 0}
)";

struct Input {
  std::string_view name, meaning;
  std::string value;
};

HtmlTable input_table(std::string_view file, const std::vector<Input>& inputs) {
  HtmlTable table{std::string(file), {"entrada", "valor", "significado"}, {}, {}};
  for (const Input& input : inputs) {
    table.rows.push_back({{{std::string(input.name), false, 1, {}},
                           {input.value, true, 1, {}},
                           {std::string(input.meaning), false, 1, {}}},
                          {},
                          {}});
  }
  return table;
}

std::string inputs(const RunDescription& run) {
  const fin::FinProperties<double>& f = run.fin;
  std::string html = html_table(input_table(
      fin::kGeneralInputFile,
      {{"Tb", "temperatura da base [°C]", shortest_text(f.Tb)},
       {"Tinf", "temperatura do fluido [°C]", shortest_text(f.Tinf)},
       {"h", "coeficiente de convecção [W/(m²·K)]", shortest_text(f.h)},
       {"k", "condutividade térmica [W/(m·K)]", shortest_text(f.k)},
       {"Ab", "área da seção transversal [m²]", shortest_text(f.Ab)},
       {"P", "perímetro da seção transversal [m]", shortest_text(f.P)},
       {"L", "comprimento da aleta [m]", shortest_text(f.L)},
       {"N", "número de nós da malha", std::to_string(run.N)},
       {"esquema", std::string("esquema na extremidade: ") + std::string(scheme_name(run.scheme)),
        std::to_string(fin::traits(run.scheme).file_number)}}));
  if (run.iteration) {
    const fin::IterationInput& i = *run.iteration;
    html += html_table(
        input_table(fin::kIterationInputFile,
                    {{"itmax", "número máximo de iterações", std::to_string(i.itmax)},
                     {"tol", "tolerância da norma L1 normalizada do resíduo", shortest_text(i.tol)},
                     {"T0", "temperatura do campo inicial [°C]", shortest_text(i.T0)}}));
  }
  return element("div", html, " class=\"lado\"");
}

// "10 malhas, de N = 21 (dx = 2.50000e-03) a N = 10241 (dx = 4.88281e-06), razão de refino 2:
// N = 21, 41, ..."
std::string meshes_text(const std::vector<MeshOutcome>& meshes) {
  const auto mesh = [](const MeshOutcome& m) {
    return "N = " + std::to_string(m.N) + " (dx = " + scientific_text(m.dx, 6) + ")";
  };
  if (meshes.size() == 1) return "1 malha, " + mesh(meshes.front());
  std::string text = std::to_string(meshes.size()) + " malhas, de " + mesh(meshes.front()) +
                     " a " + mesh(meshes.back());
  const double ratio = refinement_ratio(meshes[0].N, meshes[1].N);
  bool one_ratio = true;
  for (std::size_t k = 1; k < meshes.size(); ++k) {
    one_ratio = one_ratio && refinement_ratio(meshes[k - 1].N, meshes[k].N) == ratio;
  }
  text += one_ratio ? ", razão de refino " + short_text(ratio, 6) : ", razões de refino diferentes";
  text += ": N =";
  for (std::size_t k = 0; k < meshes.size(); ++k)
    text += (k ? ", " : " ") + std::to_string(meshes[k].N);
  return text;
}

PageSection run_section(const RunDescription& run, const std::vector<SchemeStudy>& studies) {
  std::string schemes;
  for (const SchemeStudy& study : studies) {
    schemes += (schemes.empty() ? "" : " e ") + std::string(scheme_name(study.scheme));
  }
  std::string body =
      element("p", "Programa: " + element("b", html_text(run.program)) +
                       ". Para repetir o estudo, na pasta dos arquivos de entrada: " +
                       element("code", html_text("aleta-malhas " + run.options)) +
                       " (a pasta de saída e o número de threads não mudam nenhum resultado).") +
      "\n" + inputs(run) + "\n" +
      element("p", "<b>Esquemas</b>: " + html_text(schemes) +
                       ". <b>Malhas</b>: " + html_text(meshes_text(studies.front().meshes)) + ".") +
      "\n" +
      element("p", run.quad_reference
                       ? "<b>Referência</b>: cada malha também em precisão quádrupla, que mede o "
                         "orçamento do erro (discretização, iteração, arredondamento)."
                       : "<b>Sem referência</b> em precisão quádrupla (--sem-referencia): sem o "
                         "orçamento do erro, as marcas e a extrapolação em precisão quádrupla.") +
      "\n";
  return {"execucao", "O que foi calculado", body};
}

// What each chart shows, by its file name, and the section of the page that shows it; a chart not
// named here is shown among the charts with its name alone.
constexpr std::string_view kChartsSection = "graficos", kEstimatorsSection = "estimadores";
struct ChartCaption {
  std::string_view file, caption;
  std::string_view section = kChartsSection;
};
constexpr ChartCaption kChartCaptions[] = {
    {"erro.svg", "o erro verdadeiro |E| de cada grandeza contra o espaçamento dx."},
    {"convergencia.svg",
     "o valor nas três malhas mais finas contra dx, com o valor exato, o valor de Richardson em "
     "dx = 0 e a faixa do GCI(p_U) da malha mais fina."},
    {"orcamento.svg",
     "as três partes do erro, discretização, iteração e arredondamento, contra dx."},
    {"ordens.svg", "as ordens efetiva p_E e aparente p_U contra dx."},
    {"perfil.svg", "o erro ao longo da aleta na malha mais grossa e na mais fina."},
    {"extrapolacoes.svg", "|erro| de cada nível da extrapolação de Richardson repetida contra dx."},
    {"estimadores.svg",
     "a efetividade U/|E| de cada estimador de incerteza contra dx; na faixa abaixo da linha "
     "U = |E|, o estimador subestimou o erro.",
     kEstimatorsSection},
};

ChartCaption caption_of(const std::string& file) {
  for (const ChartCaption& c : kChartCaptions) {
    if (c.file == file) return c;
  }
  return {file, {}};
}

// "erro" of "erro.svg": the chart's anchor and the prefix of its ids on the page.
std::string chart_stem(const std::string& file) { return file.substr(0, file.rfind('.')); }

std::string chart_link(const OutputFile& chart) {
  return element("a", html_text(chart.name), attribute("href", chart.name));
}

// The charts that the section `section` shows, each with its caption.
std::string figures(const std::vector<OutputFile>& charts, std::string_view section) {
  std::string html;
  for (const OutputFile& chart : charts) {
    const ChartCaption caption = caption_of(chart.name);
    if (caption.section != section) continue;
    const std::string stem = chart_stem(chart.name);
    html += element("figure",
                    element("figcaption", chart_link(chart) + ": " + html_text(caption.caption)) + "\n" +
                        inline_svg(chart.bytes, stem),
                    attribute("id", "grafico-" + stem)) +
            "\n";
  }
  return html;
}

PageSection charts_section(const std::vector<OutputFile>& charts) {
  std::string body = element("p",
                             "Os mesmos gráficos dos arquivos .svg da pasta. Passando o "
                             "mouse sobre uma série, o navegador mostra o seu nome.") +
                     "\n" + figures(charts, kChartsSection);
  for (const OutputFile& chart : charts) {
    if (caption_of(chart.name).section == kChartsSection) continue;
    body += element("p", "O gráfico " + chart_link(chart) + " está " +
                             element("a", "mais abaixo", attribute("href", "#grafico-" + chart_stem(chart.name))) +
                             ", junto das suas tabelas.") +
            "\n";
  }
  return {std::string(kChartsSection), "Gráficos", body};
}

struct StudyFile {
  std::string_view name, meaning;
};
constexpr StudyFile kTableFiles[] = {
    {"malhas_excel.csv",
     "as tabelas por malha para o Excel em português: abre com um duplo "
     "clique, com os números como números"},
    {"malhas.csv",
     "as mesmas tabelas para scripts e programas: vírgulas, ponto decimal e 17 "
     "algarismos significativos, que relidos dão o mesmo número"},
    {"extrapolacoes_excel.csv", "a extrapolação de Richardson repetida para o Excel em português"},
    {"extrapolacoes.csv",
     "a extrapolação de Richardson repetida, nível a nível, em precisão "
     "dupla e quádrupla"},
    {"estimadores_excel.csv", "os estimadores de incerteza, malha a malha, para o Excel em português"},
    {"estimadores.csv",
     "cada estimador de incerteza em cada malha: U, u_num, a estimativa do valor exato e as "
     "efetividades U/|E| e U/|E_discretizacao|"},
    {"estimadores_resumo_excel.csv", "o resumo dos estimadores para o Excel em português"},
    {"estimadores_resumo.csv",
     "como cada estimador se saiu: em quantas malhas U ≥ |E| e a mediana de U/|E|"},
    {"malhas.txt", "as tabelas desta página em texto (Windows-1252, como o relatório do aleta)"},
};

PageSection files_section(const std::vector<OutputFile>& charts) {
  std::string items;
  for (const StudyFile& file : kTableFiles) {
    items += element("li", element("a", html_text(file.name), attribute("href", file.name)) + ": " +
                               html_text(file.meaning) + ".");
  }
  std::string chart_links;
  for (const OutputFile& chart : charts) {
    chart_links += (chart_links.empty() ? "" : ", ") +
                   element("a", html_text(chart.name), attribute("href", chart.name));
  }
  items += element("li", "os gráficos: " + chart_links + ".");
  std::string legend;
  for (std::string_view line : table_legend()) legend += element("li", html_text(line));
  const std::string body =
      element("p", "Na mesma pasta desta página:") + element("ul", items) + "\n" +
      element("h3", "Como ler", attribute("id", "como-ler")) + element("ul", legend) + "\n" +
      element("p",
              "O guia do usuário explica cada coluna e cada gráfico: o arquivo LEIAME.html, "
              "na pasta principal do pacote do aleta, a que contém a pasta bin (no Linux, "
              "também LEIAME.md). Veja a seção " +
                  guide_section("6. Estudo de malhas: aleta-malhas") + ", partes " +
                  guide_section("A página do estudo: estudo.html") + ", " +
                  guide_section("Os arquivos") + ", " + guide_section("Como ler a tabela") + ", " +
                  guide_section("Extrapolação de Richardson repetida") + " e " +
                  guide_section("Estimadores de incerteza") +
                  "; as fórmulas estão na seção " +
                  guide_section("9. O que o programa calcula: a teoria") + ", parte " +
                  guide_section("As ordens e as estimativas do estudo de malhas") + ".") +
      "\n";
  return {"arquivos", "Arquivos do estudo e como lê-los", body};
}

std::string subtitle(const RunDescription& run, const std::vector<SchemeStudy>& studies) {
  std::string text = run.program;
  for (const SchemeStudy& study : studies) text += " · " + std::string(scheme_name(study.scheme));
  const std::vector<MeshOutcome>& meshes = studies.front().meshes;
  if (meshes.size() == 1) return text + " · 1 malha, N = " + std::to_string(meshes.front().N);
  return text + " · " + std::to_string(meshes.size()) + " malhas, N = " +
         std::to_string(meshes.front().N) + " a " + std::to_string(meshes.back().N);
}

}  // namespace

std::string study_page(const RunDescription& run, const std::vector<SchemeStudy>& studies,
                       const std::vector<QuantityExtrapolation>& extrapolations,
                       const std::vector<QuantityEstimators>& estimators,
                       const std::vector<OutputFile>& charts) {
  const std::vector<PageSection> sections = {
      run_section(run, studies),
      summary_section(studies, extrapolations),
      charts_section(charts),
      mesh_tables_section(studies),
      extrapolation_tables_section(extrapolations),
      estimator_page_section(studies, estimators, figures(charts, kEstimatorsSection)),
      files_section(charts)};
  const std::string title = "Estudo de malhas da aleta";
  std::string contents, body;
  for (std::size_t s = 0; s < sections.size(); ++s) {
    const std::string heading = std::to_string(s + 1) + ". " + sections[s].title;
    contents += element("a", html_text(heading), attribute("href", "#" + sections[s].id));
    body += element("section", "\n" + element("h2", html_text(heading)) + "\n" + sections[s].body,
                    attribute("id", sections[s].id)) +
            "\n";
  }
  const std::string head = "<meta charset=\"utf-8\">\n" +
                           element("title", html_text(title + ": " + subtitle(run, studies))) +
                           "\n" + element("style", std::string(kStyle)) + "\n";
  const std::string header =
      element("header", element("h1", html_text(title)) +
                            element("p", html_text(subtitle(run, studies)), " class=\"sub\"") +
                            element("nav", contents));
  return "<!DOCTYPE html>\n<html lang=\"pt-BR\">\n" + element("head", "\n" + head) + "\n" +
         element("body", "\n" + header + "\n" + body) + "\n</html>\n";
}

}  // namespace malhas
