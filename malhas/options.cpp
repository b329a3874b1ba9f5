#include "malhas/options.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <cctype>
#include <charconv>
#include <optional>

#include "malhas/program_name.h"

namespace malhas {
namespace {

constexpr std::string_view kEveryScheme = "ambos";
// The most meshes a study takes, by --malhas or --lista: its files grow as the square of it.
constexpr std::int32_t kMostMeshes = 1000;
constexpr std::string_view kEveryLeastSquaresMesh = "todas";

// A whole-number option between `lowest` and `highest`, checked before CLI11 converts it, so the
// message is ours.
CLI::Validator whole_number(std::int32_t lowest, std::int32_t highest) {
  const std::string range = "deve ser um inteiro de " + std::to_string(lowest) + " a " +
                            std::to_string(highest);
  return CLI::Validator(
      [lowest, highest, range](std::string& text) -> std::string {
        std::int32_t value = 0;
        const char* end = text.data() + text.size();
        const auto [ptr, error] = std::from_chars(text.data(), end, value);
        if (text.empty() || error != std::errc() || ptr != end || value < lowest || value > highest) {
          return "\"" + text + "\" " + range;
        }
        return {};
      },
      "");
}

// --malhas-mq: a count of meshes from the fewest the least-squares procedure takes, or every mesh.
CLI::Validator least_squares_meshes() {
  const CLI::Validator count = whole_number(kLeastSquaresFewestMeshes, kMostMeshes);
  return CLI::Validator(
      [count](std::string& text) -> std::string {
        if (text == kEveryLeastSquaresMesh) return {};
        std::string checked = text;
        const std::string refused = count(checked);
        return refused.empty() ? refused : refused + " ou " + std::string(kEveryLeastSquaresMesh);
      },
      "");
}

// The schemes --esquema names: one by its number in entradas_geral.ent, written as the file's
// table writes it, or every one; none when the text is neither.
std::optional<std::vector<fin::TipScheme>> schemes_named(const std::string& text) {
  std::vector<fin::TipScheme> schemes;
  if (text == kEveryScheme) {
    for (const fin::TipSchemeTraits& t : fin::kTipSchemes) schemes.push_back(t.scheme);
    return schemes;
  }
  for (const fin::TipSchemeTraits& t : fin::kTipSchemes) {
    if (text == std::to_string(t.file_number)) return std::vector<fin::TipScheme>{t.scheme};
  }
  return std::nullopt;
}

// The words of --esquema's help, its value's name and its error, and the schemes that read
// entradas_uds.ent, from the schemes' table: "1 (UDS), 2 (UDS-2)", "1|2", "1, 2" and "UDS-2".
struct SchemeWords {
  std::string described, alternatives, listed, iterating;
};
SchemeWords scheme_words() {
  SchemeWords words;
  for (const fin::TipSchemeTraits& t : fin::kTipSchemes) {
    const std::string number = std::to_string(t.file_number);
    const bool first = words.listed.empty();
    words.described += (first ? "" : ", ") + number + " (" + std::string(t.name) + ")";
    words.alternatives += (first ? "" : "|") + number;
    words.listed += (first ? "" : ", ") + number;
    if (t.iterates) words.iterating += (words.iterating.empty() ? "" : " ou ") + std::string(t.name);
  }
  return words;
}

// A single-value option given more than once, which CLI11 reports as a count mismatch.
const CLI::Option* repeated_option(const CLI::App& app) {
  for (const CLI::Option* option : app.get_options()) {
    if (option->get_expected_max() == 1 && option->count() > 1) return option;
  }
  return nullptr;
}

// CLI11's own errors, told in Portuguese.
std::string parse_error_text(const CLI::App& app, const CLI::ParseError& e) {
  if (dynamic_cast<const CLI::ValidationError*>(&e)) return e.what();  // our validators' text
  if (dynamic_cast<const CLI::ExtrasError*>(&e)) {
    const std::vector<std::string> extras = app.remaining();
    return "argumento não reconhecido: \"" + (extras.empty() ? "" : extras.front()) + "\"";
  }
  if (dynamic_cast<const CLI::ArgumentMismatch*>(&e)) {
    const CLI::Option* repeated = repeated_option(app);
    if (repeated) return repeated->get_name() + " dada mais de uma vez";
    return "opção sem o valor que ela pede";
  }
  if (dynamic_cast<const CLI::ExcludesError*>(&e)) {
    return "--lista não se combina com --malhas nem com --razao";
  }
  return "opções inválidas";
}

// "-m=2" read as "-m 2": CLI11 takes what follows a short option's letter as its value, "=2".
std::vector<std::string> separated_short_values(int argc, const char* const* argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  for (std::size_t i = 0; i < args.size() && args[i] != "--"; ++i) {
    const std::string& arg = args[i];
    if (arg.size() > 2 && arg[0] == '-' && std::isalpha(static_cast<unsigned char>(arg[1])) &&
        arg[2] == '=') {
      args.insert(args.begin() + static_cast<std::ptrdiff_t>(i) + 1, arg.substr(3));
      args[i].resize(2);
      ++i;
    }
  }
  return args;
}

// The sorted list, or the reason it cannot be a study's list of meshes.
std::string check_explicit_meshes(std::vector<std::int32_t>& meshes) {
  if (meshes.size() > static_cast<std::size_t>(kMostMeshes)) {
    return "--lista: no máximo " + std::to_string(kMostMeshes) + " malhas (foram dadas " +
           std::to_string(meshes.size()) + ")";
  }
  std::sort(meshes.begin(), meshes.end());
  if (std::adjacent_find(meshes.begin(), meshes.end()) != meshes.end()) {
    return "--lista: cada N deve aparecer uma só vez";
  }
  return {};
}

}  // namespace

std::string repeating_options(const StudyOptions& options) {
  std::string text;
  if (options.explicit_meshes.empty()) {
    text = "-m " + std::to_string(options.meshes) + " -r " + std::to_string(options.ratio);
  } else {
    for (std::int32_t N : options.explicit_meshes) text += (text.empty() ? "-l " : ",") + std::to_string(N);
  }
  if (options.schemes.size() == fin::kTipSchemes.size() && options.schemes.size() > 1) {
    text += " -e " + std::string(kEveryScheme);
  } else if (!options.schemes.empty()) {
    text += " -e " + std::to_string(fin::traits(options.schemes.front()).file_number);
  }
  if (options.least_squares_meshes != kDefaultLeastSquaresMeshes) {
    text += " --malhas-mq " + (options.least_squares_meshes == kEveryMesh
                                   ? std::string(kEveryLeastSquaresMesh)
                                   : std::to_string(options.least_squares_meshes));
  }
  return options.quad_reference ? text : text + " --sem-referencia";
}

ParsedOptions parse_options(int argc, const char* const* argv, unsigned default_threads) {
  ParsedOptions parsed;
  StudyOptions& o = parsed.options;
  o.threads = std::max(1u, default_threads);
  const SchemeWords words = scheme_words();
  CLI::App app("Estudo de refinamento de malhas da aleta: calcula o caso de entradas_geral.ent "
               "(e entradas_uds.ent com " + words.iterating + ") em malhas sucessivamente "
               "refinadas e grava, na pasta de saída, as ordens de convergência, as estimativas "
               "de erro e os gráficos.",
               std::string(kProgram));
  app.get_formatter()->label("Usage", "Uso");
  app.get_formatter()->label("OPTIONS", "OPÇÕES");
  app.get_formatter()->label("Excludes", "Exclui");
  app.option_defaults()->group("Opções");
  app.set_help_flag("-h,--help", "Mostra esta ajuda e termina");
  app.set_version_flag("--version", std::string(kProgram) + " " + ALETA_VERSION,
                       "Mostra a versão e termina");

  std::string scheme;
  auto* meshes = app.add_option("-m,--malhas", o.meshes,
                                "Número de malhas, a primeira com o N do arquivo (padrão 10; "
                                "nenhuma passa de 2^24 + 1 nós)")
                     ->type_name("K")
                     ->check(whole_number(1, kMostMeshes));
  auto* ratio = app.add_option("-r,--razao", o.ratio,
                               "Razão de refinamento entre malhas consecutivas (padrão 2)")
                    ->type_name("R")
                    ->check(whole_number(2, 1 << 24));
  app.add_option("-l,--lista", o.explicit_meshes,
                 "Lista de N separados por vírgulas, em vez de --malhas e --razao")
      ->type_name("N")
      ->delimiter(',')
      ->check(whole_number(3, 2147483647))
      ->excludes(meshes)
      ->excludes(ratio);
  app.add_option("-e,--esquema", scheme,
                 "Esquema na extremidade: " + words.described + " ou " +
                     std::string(kEveryScheme) + " (padrão: o do arquivo)")
      ->type_name(words.alternatives + "|" + std::string(kEveryScheme))
      ->check(CLI::Validator(
          [&words](std::string& text) -> std::string {
            return schemes_named(text) ? std::string()
                                       : "\"" + text + "\" deve ser " + words.listed + " ou " +
                                             std::string(kEveryScheme);
          },
          ""));
  app.add_option("-s,--saida", o.folder, "Pasta dos arquivos gravados (padrão estudo_malhas)")
      ->type_name("PASTA");
  app.add_option("-t,--threads", o.threads,
                 "Malhas calculadas ao mesmo tempo (padrão: o número de núcleos)")
      ->type_name("T")
      ->check(whole_number(1, 1024));
  std::string least_squares = std::to_string(o.least_squares_meshes);
  app.add_option("--malhas-mq", least_squares,
                 "Malhas do estimador de mínimos quadrados de Eça e Hoekstra em cada malha: ela e "
                 "as mais grossas antes dela, " + std::to_string(kLeastSquaresFewestMeshes) +
                     " a " + std::to_string(kMostMeshes) + " ou " +
                     std::string(kEveryLeastSquaresMesh) + " (padrão " +
                     std::to_string(kDefaultLeastSquaresMeshes) + ")")
      ->type_name("N|" + std::string(kEveryLeastSquaresMesh))
      ->check(least_squares_meshes());
  bool without_reference = false;
  app.add_flag("--sem-referencia", without_reference,
               "Não calcula as malhas também em precisão quádrupla: sem o orçamento do erro, "
               "para estudos grandes demais para ela");

  try {
    std::vector<std::string> args = separated_short_values(argc, argv);
    std::reverse(args.begin(), args.end());  // CLI11 takes them last first
    app.parse(args);
  } catch (const CLI::CallForHelp&) {
    parsed.out = app.help();
    return parsed;
  } catch (const CLI::CallForVersion& e) {
    parsed.out = std::string(e.what()) + "\n";
    return parsed;
  } catch (const CLI::ParseError& e) {
    parsed.exit_code = 1;
    parsed.err = std::string(kProgram) + ": " + parse_error_text(app, e) + " (veja --help)\n";
    return parsed;
  }
  const std::string list_error = o.folder.empty() ? "--saida: o nome da pasta está vazio"
                                                  : check_explicit_meshes(o.explicit_meshes);
  if (!list_error.empty()) {
    parsed.exit_code = 1;
    parsed.err = std::string(kProgram) + ": " + list_error + "\n";
    return parsed;
  }
  if (!scheme.empty()) o.schemes = *schemes_named(scheme);
  o.quad_reference = !without_reference;
  o.least_squares_meshes =
      least_squares == kEveryLeastSquaresMesh ? kEveryMesh : std::stoi(least_squares);
  parsed.run = true;
  return parsed;
}

}  // namespace malhas
