// aleta-malhas as a user meets it: the shipped examples, the values of aleta, a failing mesh,
// unreadable input and the charts.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <sstream>
#include <sys/stat.h>

#include "tests/malhas/presentation/chart_checks.h"
#include "tests/malhas/presentation/chart_reading.h"
#include "tests/program/program_run.h"
#include "textio/number_rendering.h"

namespace testing_support {
namespace {

using Program = ProgramRun::Program;
const std::string kExamples = std::string(ALETA_SOURCE_DIR) + "/examples/";

// A scratch directory holding the input files of examples/<name>.
std::unique_ptr<ProgramRun> example(const std::string& name) {
  auto run = std::make_unique<ProgramRun>();
  for (const std::string file : {"entradas_geral.ent", "entradas_uds.ent"}) {
    if (file_exists(kExamples + name + "/" + file)) run->put(file, read_file(kExamples + name + "/" + file));
  }
  return run;
}

// The rows of malhas.csv by scheme, N and quantity, each split at its commas (the notes, last,
// may be cut at their own commas: the tests read the numeric columns only).
using CsvRows = std::map<std::string, std::vector<std::string>>;
CsvRows csv_rows(const ProgramRun& run) {
  CsvRows rows;
  std::stringstream lines(run.get("estudo_malhas/malhas.csv"));
  std::string line;
  std::getline(lines, line);  // the header
  while (std::getline(lines, line)) {
    std::vector<std::string> cells;
    std::stringstream cell_stream(line);
    for (std::string cell; std::getline(cell_stream, cell, ',');) cells.push_back(cell);
    rows[cells[0] + " " + cells[1] + " " + cells[3]] = cells;
  }
  return rows;
}

double number(const CsvRows& rows, const std::string& key, std::size_t column) {
  const std::string& cell = rows.at(key).at(column);
  EXPECT_FALSE(cell.empty()) << key << " column " << column;
  return std::strtod(cell.c_str(), nullptr);
}

constexpr std::size_t kSpacing = 2, kValue = 4, kExact = 5, kError = 6;
constexpr std::size_t kDiscretisation = 8, kIteration = 9, kRoundOffError = 10;
constexpr std::size_t kEffectiveOrder = 11, kDiscretisationOrder = 12, kApparentOrder = 13;
constexpr std::size_t kRoundOff = 21, kIterationMark = 22, kConverged = 25, kNotes = 26;
constexpr std::size_t kApparentEstimate = 15, kApparentIndex = 17, kApparentRelativeIndex = 18;

// The notes of a row, whole (between quotes when they hold a comma).
std::string notes_of(const CsvRows& rows, const std::string& key) {
  const std::vector<std::string>& cells = rows.at(key);
  std::string notes = cells.at(kNotes);
  for (std::size_t c = kNotes + 1; c < cells.size(); ++c) notes += "," + cells[c];
  return notes;
}

// The resolution x of the note "abaixo da resolução da referência (< x)" of a row, 0 without it.
double resolution_in_notes(const CsvRows& rows, const std::string& key) {
  const std::string notes = notes_of(rows, key);
  const std::size_t at = notes.find("resolu\xC3\xA7\xC3\xA3o da refer\xC3\xAAncia (< ");
  if (at == std::string::npos) return 0;
  return std::strtod(notes.c_str() + notes.find("(< ", at) + 3, nullptr);
}

TEST(MalhasProgram, UdsExampleShowsFirstOrderAndReplacesOlderFiles) {
  const auto run = example("uds");
  std::filesystem::create_directory(run->directory() + "/estudo_malhas");
  run->put("estudo_malhas/malhas.csv", "an older study\n");
  const ChildResult r = run->run({"-m", "6"}, "", {}, Program::Malhas);
  EXPECT_EQ(r.exit_code, 0);
  EXPECT_EQ(r.out + r.err, "");
  const CsvRows rows = csv_rows(*run);
  EXPECT_EQ(rows.size(), 6u * 3);
  for (const char* N : {"41", "81", "161", "321", "641"}) {
    EXPECT_NEAR(number(rows, std::string("UDS ") + N + " T(N)", kEffectiveOrder), 1, 0.05) << N;
  }
  for (const char* file : {"malhas.txt", "extrapolacoes.csv", "extrapolacoes_excel.csv",
                           "estimadores.csv", "estimadores_excel.csv", "estimadores_resumo.csv",
                           "estimadores_resumo_excel.csv", "estudo.html", "erro.svg",
                           "convergencia.svg", "orcamento.svg", "ordens.svg", "perfil.svg",
                           "extrapolacoes.svg", "estimadores.svg"}) {
    EXPECT_TRUE(run->exists(std::string("estudo_malhas/") + file)) << file;
  }
  EXPECT_FALSE(run->exists("estudo_malhas/.malhas.csv.temp"));
}

TEST(MalhasProgram, Uds2ExampleApproachesSecondOrderFromBelow) {
  const auto run = example("uds2");
  ASSERT_EQ(run->run({"-m", "6"}, "", {}, Program::Malhas).exit_code, 0);
  const CsvRows rows = csv_rows(*run);
  const std::pair<const char*, double> expected[] = {
      {"41", 1.66}, {"81", 1.86}, {"161", 1.93}, {"321", 2}, {"641", 2}};
  double previous = 0;
  for (const auto& [N, p] : expected) {
    const double pE = number(rows, std::string("UDS-2 ") + N + " T(N)", kEffectiveOrder);
    EXPECT_NEAR(pE, p, p == 2 ? 0.05 : 0.01) << N;
    EXPECT_LT(pE, 2) << N;
    EXPECT_GT(pE, previous) << N;
    previous = pE;
  }
}

// The report's field of `label`'s record at columns first..first+24 (1-based).
std::string report_field(const std::string& report, const std::string& label, std::size_t first) {
  const std::size_t at = report.find(label);
  if (at == std::string::npos) return "";
  return report.substr(report.rfind('\n', at) + first, 25);
}

// The UDS example with L = 1.0 and N = 3, both schemes on 14 meshes (3 ... 16385).
CsvRows long_fin_study() {
  const auto run = example("uds2");
  run->put("entradas_geral.ent",
           general_input("r.txt", {"80", "20", "25", "180", "2.0e-5", "0.024", "1.0", "3", "1"}));
  EXPECT_EQ(run->run({"-e", "ambos", "-m", "14"}, "", {}, Program::Malhas).exit_code, 0);
  return csv_rows(*run);
}

TEST(MalhasProgram, NoIndexFromADivergentApparentOrder) {
  // On the first meshes the differences of qdds1 grow.
  const CsvRows rows = long_fin_study();
  EXPECT_NEAR(number(rows, "UDS 9 qdds1", kApparentOrder), -0.535, 0.0005);
  for (std::size_t column : {kApparentEstimate, kApparentIndex, kApparentRelativeIndex}) {
    EXPECT_EQ(rows.at("UDS 9 qdds1").at(column), "") << column;
  }
  EXPECT_NE(rows.at("UDS 9 qdds1").back().find("p_U <= 0"), std::string::npos);
}

TEST(MalhasProgram, RoundOffIsMarkedWhereItIsMeasuredNotWhereTheOrderWanders) {
  // UDS qdds2 is damped O(dx) from the tip, so its p_E climbs from 0.4 towards 1 through a long
  // O(dx^2) range while its round-off stays below 1e-9: no mark. The UDS-2 tip temperature on
  // 16385 nodes has a round-off near 1e-9, ten times its discretisation error: marked.
  const CsvRows rows = long_fin_study();
  for (int N = 17; N <= 16385; N = 2 * N - 1) {
    const std::string key = "UDS " + std::to_string(N) + " qdds2";
    EXPECT_LT(std::fabs(number(rows, key, kRoundOffError)), 1e-9) << key;
    EXPECT_EQ(rows.at(key).at(kRoundOff), "") << key;
  }
  EXPECT_GT(std::fabs(number(rows, "UDS-2 16385 T(N)", kRoundOffError)),
            5 * std::fabs(number(rows, "UDS-2 16385 T(N)", kDiscretisation)));
  EXPECT_EQ(rows.at("UDS-2 16385 T(N)").at(kRoundOff), "sim");
}

TEST(MalhasProgram, BudgetOfTheExamplesAddsUpAndItsOrderHoldsToTheFinestMesh) {
  for (const std::string name : {"uds", "uds2"}) {
    const auto run = example(name);
    ASSERT_EQ(run->run({}, "", {}, Program::Malhas).exit_code, 0);
    const CsvRows rows = csv_rows(*run);
    ASSERT_EQ(rows.size(), 30u) << name;
    for (const auto& [key, row] : rows) {
      // The three parts are quadruple-precision differences, each rounded once; E is the
      // difference from the exact formula evaluated in double, within two units in the last
      // place of the exact value. A part below the reference's resolution x has no digits: it
      // counts as 0 within x.
      double parts[3], unresolved = 0;
      for (std::size_t p = 0; p < 3; ++p) {
        const std::string& cell = row.at(kDiscretisation + p);
        parts[p] = cell.empty() ? 0 : std::strtod(cell.c_str(), nullptr);
        if (cell.empty()) unresolved += resolution_in_notes(rows, key);
      }
      const double E = number(rows, key, kError);
      const double bound = 0x1p-51 * std::fabs(number(rows, key, kExact)) + unresolved +
                           0x1p-53 * (std::fabs(E) + 2 * (std::fabs(parts[0]) + std::fabs(parts[1]) +
                                                          std::fabs(parts[2])));
      EXPECT_LE(std::fabs(parts[0] + parts[1] + parts[2] - E), bound) << key;
      if (key.rfind("UDS ", 0) == 0) {
        EXPECT_EQ(parts[1], 0) << key;
      }
    }
    const std::string scheme = name == "uds" ? "UDS " : "UDS-2 ";
    const std::pair<const char*, int> orders[] = {
        {"T(N)", name == "uds" ? 1 : 2}, {"qdds1", 1}, {"qdds2", name == "uds" ? 1 : 2}};
    for (const auto& [quantity, pL] : orders) {
      const std::string key = scheme + "10241 " + quantity;
      EXPECT_NEAR(number(rows, key, kDiscretisationOrder), pL, 0.005) << key;
    }
  }
}

TEST(MalhasProgram, StoppingAtItmaxIsAFactAndNoIterationMarkWhereIteratingChangesNothing) {
  // The UDS-2 example's 10241 nodes stall above tol = 1e-12 and stop at itmax: iterating on
  // changes their values by about 1e-97, far below what the quadruple-precision reference
  // resolves there (its own round-off, about 1e-25): no digits of that noise, and no mark.
  const auto run = example("uds2");
  ASSERT_EQ(run->run({}, "", {}, Program::Malhas).exit_code, 0);
  const CsvRows rows = csv_rows(*run);
  for (const char* quantity : {" T(N)", " qdds1", " qdds2"}) {
    const std::string key = std::string("UDS-2 10241") + quantity;
    EXPECT_EQ(rows.at(key).at(kConverged), "n\xC3\xA3o") << key;
    EXPECT_EQ(rows.at(key).at(kIteration), "") << key;
    EXPECT_NE(notes_of(rows, key).find("E_iteracao: abaixo da resolu\xC3\xA7\xC3\xA3o da refer\xC3\xAAncia (< "),
              std::string::npos) << key;
    const double resolution = resolution_in_notes(rows, key);
    EXPECT_GT(resolution, 1e-27) << key;
    EXPECT_LT(resolution, 1e-22) << key;
    EXPECT_EQ(rows.at(key).at(kIterationMark), "") << key;
    EXPECT_NE(rows.at(key).back().find("parou em itmax"), std::string::npos) << key;
    EXPECT_EQ(rows.at(key).back().find("n\xC3\xA3o \xC3\xA9 s\xC3\xB3"), std::string::npos) << key;
  }
}

TEST(MalhasProgram, WithoutReferenceTheBudgetIsEmptyWithItsReason) {
  const auto run = example("uds2");
  ASSERT_EQ(run->run({"-m", "3", "--sem-referencia"}, "", {}, Program::Malhas).exit_code, 0);
  const CsvRows rows = csv_rows(*run);
  for (std::size_t column : {kDiscretisation, kIteration, kRoundOffError, kDiscretisationOrder}) {
    EXPECT_EQ(rows.at("UDS-2 81 qdds1").at(column), "") << column;
  }
  EXPECT_NE(number(rows, "UDS-2 81 qdds1", kEffectiveOrder), 0);
  const std::string csv = run->get("estudo_malhas/malhas.csv");
  const std::string note =
      ",\"E_discretizacao, E_iteracao, E_arredondamento, p_E_disc: sem refer\xC3\xAAncia em "
      "precis\xC3\xA3o qu\xC3\xA1\x64rupla (--sem-referencia)\"\n";
  EXPECT_NE(csv.find(note), std::string::npos) << csv;
}

TEST(MalhasProgram, BudgetChartDrawsEachPartAtItsSpacing) {
  // UDS-2 on N = 21 ... 10241; a part that is exactly 0, or below the reference's resolution
  // (E_iteracao on the finest mesh), has no place on the log axis and is left out.
  const auto run = example("uds2");
  ASSERT_EQ(run->run({}, "", {}, Program::Malhas).exit_code, 0);
  const CsvRows rows = csv_rows(*run);
  const malhas::DrawnChart chart = malhas::read_chart(run->get("estudo_malhas/orcamento.svg"));
  const std::pair<const char*, std::size_t> parts[] = {
      {"discretiza\xC3\xA7\xC3\xA3o", kDiscretisation}, {"itera\xC3\xA7\xC3\xA3o", kIteration},
      {"arredondamento", kRoundOffError}};
  for (const char* quantity : {"T(N)", "qdds1", "qdds2"}) {
    for (const auto& [part, column] : parts) {
      const std::vector<malhas::DrawnPoint>& points = chart.panel(quantity).at(part).points;
      std::size_t k = 0;
      for (int N = 21; N <= 10241; N = 2 * N - 1) {
        const std::string key = "UDS-2 " + std::to_string(N) + " " + quantity;
        if (rows.at(key).at(column).empty()) continue;  // below the reference's resolution
        const double value = std::fabs(number(rows, key, column));
        if (value == 0) continue;
        ASSERT_LT(k, points.size()) << quantity << " " << part;
        EXPECT_NEAR(points[k].x / number(rows, key, kSpacing), 1, 1e-3) << key << " " << part;
        // 0.01 pixel of a 200-pixel axis over some thirty decades is 0.0015 decades.
        EXPECT_NEAR(std::log10(points[k].y / value), 0, 2e-3) << key << " " << part;
        ++k;
      }
      EXPECT_EQ(k, points.size()) << quantity << " " << part;
    }
  }
}

TEST(MalhasProgram, ValuesAreThoseOfAletaBitForBit) {
  const auto study = example("uds2");
  ASSERT_EQ(study->run({"-e", "ambos", "--lista", "3,21,1000"}, "", {}, Program::Malhas).exit_code, 0);
  const CsvRows rows = csv_rows(*study);
  std::string field;
  for (const std::string scheme : {"1", "2"}) {
    for (const std::string N : {"3", "21", "1000"}) {
      const auto single = example("uds2");
      single->put("entradas_geral.ent",
                  general_input("r.txt", {"80", "20", "25", "180", "2.0e-5", "0.024", "0.05", N, scheme}));
      ASSERT_EQ(single->run().exit_code, 0);
      const std::string report = single->get("r.txt");
      const std::string key = (scheme == "1" ? "UDS " : "UDS-2 ") + N;
      // The tip row's numerical temperature, then the two difference rates.
      const std::size_t solutions = report.find("Erro num\xE9rico\r\n");
      ASSERT_NE(solutions, std::string::npos);
      textio::render_exponent_field(number(rows, key + " T(N)", kValue), 25, 15, 1, field);
      EXPECT_EQ(field, report.substr(solutions + 15 + 25, 25)) << key;
      textio::render_exponent_field(number(rows, key + " qdds1", kValue), 25, 15, 1, field);
      EXPECT_EQ(field, report_field(report, "(DDS-1):", 45)) << key;
      textio::render_exponent_field(number(rows, key + " qdds2", kValue), 25, 15, 1, field);
      EXPECT_EQ(field, report_field(report, "(DDS-2):", 45)) << key;
    }
  }
}

TEST(MalhasProgram, MeshWithoutStorageFailsAloneAndTheOthersComplete) {
  const auto run = example("uds");
  const ChildResult r = run->run({"--lista", "21,41,2147483647"}, "", {}, Program::Malhas);
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_EQ(r.err,
            "aleta-malhas: malha N = 2147483647 (UDS) falhou: mem\xC3\xB3ria insuficiente para as "
            "malhas em c\xC3\xA1lculo\n");
  const CsvRows rows = csv_rows(*run);
  EXPECT_NE(number(rows, "UDS 41 qdds2", kEffectiveOrder), 0);
  EXPECT_EQ(rows.at("UDS 2147483647 T(N)").at(kValue), "");
}

TEST(MalhasProgram, StorageLimitGivesTheSameStudyWithAnyNumberOfThreads) {
  if (ProgramRun::windows_program()) GTEST_SKIP() << "the address-space limit is a POSIX one";
  if (under_address_sanitizer()) GTEST_SKIP() << "AddressSanitizer cannot start under the limit";
  // Four meshes of about 100 MB each: one at a time fits in 400 MB, four at once do not. Their
  // quadruple-precision references take twice that: each fits only if the threads that have
  // ended leave no heaps of their own reserved in the address space.
  const auto run = example("uds");
  for (const std::string threads : {"1", "4"}) {
    const ChildResult r =
        run->run({"-t", threads, "-s", "t" + threads, "-l", "1500001,1500003,1500005,1500007"},
                 "", {"prlimit", "--as=400000000", "--"}, Program::Malhas);
    EXPECT_EQ(r.exit_code, 0) << threads << r.err;
  }
  EXPECT_EQ(run->get("t4/malhas.csv"), run->get("t1/malhas.csv"));
  EXPECT_EQ(run->get("t1/malhas.csv").find("mem\xC3\xB3ria insuficiente"), std::string::npos);
}

TEST(MalhasProgram, ArithmeticFaultMarksEveryMeshItMeets) {
  // h = 0: m = 0, and the exact solution divides 0 by 0 on every mesh.
  const auto run = example("uds");
  run->put("entradas_geral.ent", general_input("r.txt", {"80", "20", "0", "180", "2.0e-5", "0.024", "0.05", "21", "1"}));
  const ChildResult r = run->run({"-m", "2"}, "", {}, Program::Malhas);
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_EQ(r.err,
            "aleta-malhas: malha N = 21 (UDS) falhou: opera\xC3\xA7\xC3\xA3o inv\xC3\xA1lida (invalid)\n"
            "aleta-malhas: malha N = 41 (UDS) falhou: opera\xC3\xA7\xC3\xA3o inv\xC3\xA1lida (invalid)\n");
}

TEST(MalhasProgram, MeshFaultIsTheFirstRaisedAsAletaReportsIt) {
  // L = 1e155: the interior coefficients overflow first, and the infinities then meet in an
  // invalid operation; aleta stops at the overflow.
  const auto run = example("uds2");
  run->put("entradas_geral.ent",
           general_input("r.txt", {"80", "20", "25", "180", "2.0e-5", "0.024", "1e155", "161", "2"}));
  const ChildResult aleta = run->run();
  EXPECT_EQ(aleta.exit_code, 1);
  EXPECT_NE(aleta.err.find("M6104"), std::string::npos) << aleta.err;
  const ChildResult study = run->run({"-l", "161"}, "", {}, Program::Malhas);
  EXPECT_EQ(study.exit_code, 1);
  EXPECT_EQ(study.err, "aleta-malhas: malha N = 161 (UDS-2) falhou: estouro (overflow)\n");
}

TEST(MalhasProgram, UnreadableInputGivesTheReadersMessageAndWritesNothing) {
  const auto run = example("uds");
  run->put("entradas_geral.ent", general_input("r.txt", {"80", "vinte"}));
  const ChildResult aleta = run->run();
  const ChildResult study = run->run({}, "", {}, Program::Malhas);
  EXPECT_EQ(study.exit_code, 1);
  EXPECT_NE(study.err, "");
  EXPECT_EQ(study.err, aleta.err);
  EXPECT_FALSE(run->exists("estudo_malhas"));
}

TEST(MalhasProgram, FolderThatCannotBeMadeIsAnError) {
  const auto run = example("uds");
  run->put("ocupado", "a file where the folder would go\n");
  const ChildResult r = run->run({"-m", "2", "-s", "ocupado"}, "", {}, Program::Malhas);
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_EQ(r.err, "aleta-malhas: n\xC3\xA3o foi poss\xC3\xADvel criar a pasta ocupado (h\xC3\xA1 um "
                   "arquivo com esse nome)\n");
  EXPECT_EQ(run->get("ocupado"), "a file where the folder would go\n");
}

// Every name in a folder of the scratch directory with its bytes, hidden ones included.
std::map<std::string, std::string> folder_contents(const ProgramRun& run, const std::string& folder) {
  std::map<std::string, std::string> files;
  for (const auto& entry : std::filesystem::directory_iterator(run.directory() + "/" + folder)) {
    files[entry.path().filename().string()] = read_file(entry.path().string());
  }
  return files;
}

TEST(MalhasProgram, FailedWriteKeepsTheEarlierStudyWhole) {
  if (ProgramRun::windows_program()) GTEST_SKIP() << "the file-size limit is a POSIX one";
  const auto run = example("uds");
  ASSERT_EQ(run->run({"-m", "6"}, "", {}, Program::Malhas).exit_code, 0);
  const std::map<std::string, std::string> earlier = folder_contents(*run, "estudo_malhas");
  ASSERT_GT(earlier.at("malhas.csv").size(), 1024u);
  // A limit below the size of malhas.csv, the first file written: its write is refused.
  const ChildResult r =
      run->run({"-m", "5"}, "", {"prlimit", "--fsize=1024", "--"}, Program::Malhas);
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_EQ(r.err, "aleta-malhas: n\xC3\xA3o foi poss\xC3\xADvel gravar estudo_malhas/malhas.csv "
                   "(limite de tamanho de arquivo excedido); os arquivos anteriores da pasta "
                   "estudo_malhas ficam como estavam\n");
  EXPECT_EQ(folder_contents(*run, "estudo_malhas"), earlier);
}

// The page of one study is the same with any number of threads and into any folder, names
// neither, and shows each chart file's very SVG (without its XML declaration, its ids prefixed by
// the chart's name).
TEST(MalhasProgram, StudyPageIsOneForAnyThreadsAndFolderAndHoldsTheChartFiles) {
  const auto run = example("uds2");
  for (const std::string threads : {"1", "3"}) {
    ASSERT_EQ(run->run({"-m", "4", "-e", "ambos", "-t", threads, "-s", "pasta_do_estudo_" + threads},
                       "", {}, Program::Malhas).exit_code, 0);
  }
  const std::string page = run->get("pasta_do_estudo_1/estudo.html");
  EXPECT_EQ(page, run->get("pasta_do_estudo_3/estudo.html"));
  EXPECT_EQ(page.find("pasta_do_estudo"), std::string::npos);
  EXPECT_EQ(page.find(run->directory()), std::string::npos);
  std::size_t charts = 0;
  for (const auto& [name, bytes] : folder_contents(*run, "pasta_do_estudo_1")) {
    if (name.size() < 4 || name.substr(name.size() - 4) != ".svg") continue;
    const std::string stem = name.substr(0, name.size() - 4);
    std::string svg = bytes.substr(bytes.find("<svg"));
    for (const std::string reference : {" id=\"", "url(#", "href=\"#"}) {
      for (std::size_t at = svg.find(reference); at != std::string::npos; at = svg.find(reference, at + 1)) {
        svg.insert(at + reference.size(), stem + "-");
      }
    }
    EXPECT_NE(page.find(svg), std::string::npos) << name;
    ++charts;
  }
  std::size_t figures = 0;
  for (std::size_t at = page.find("<figure"); at != std::string::npos; at = page.find("<figure", at + 1)) ++figures;
  EXPECT_EQ(figures, charts);
  EXPECT_GT(charts, 0u);
}

TEST(MalhasProgram, LackOfMemoryWhileTheFilesAreBuiltKeepsTheEarlierStudyWhole) {
  if (ProgramRun::windows_program()) GTEST_SKIP() << "the address-space limit is a POSIX one";
  if (under_address_sanitizer()) GTEST_SKIP() << "AddressSanitizer cannot start under the limit";
  const auto run = example("uds");
  ASSERT_EQ(run->run({"-m", "3"}, "", {}, Program::Malhas).exit_code, 0);
  const std::map<std::string, std::string> earlier = folder_contents(*run, "estudo_malhas");
  // 400 meshes of at most 402 nodes take little to compute; their 400 levels of extrapolation
  // make files of some 30 MB, which do not fit in 40 MB of address space with the program.
  std::string meshes = "3";
  for (int N = 4; N <= 402; ++N) meshes += "," + std::to_string(N);
  const ChildResult r = run->run({"-l", meshes, "-e", "1", "--sem-referencia", "-t", "1"}, "",
                                 {"prlimit", "--as=40000000", "--"}, Program::Malhas);
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_EQ(r.err, "aleta-malhas: mem\xC3\xB3ria insuficiente para calcular o estudo e montar os "
                   "seus arquivos; os arquivos anteriores da pasta estudo_malhas ficam como estavam\n");
  EXPECT_EQ(folder_contents(*run, "estudo_malhas"), earlier);
}

TEST(MalhasProgram, ConcurrentStudiesIntoOneFolderLeaveOneWholeSet) {
  if (ProgramRun::windows_program()) GTEST_SKIP() << "eight Wine starts at once";
  const auto run = example("uds");
  std::map<std::string, std::string> alone[9];
  for (int k = 2; k <= 8; ++k) {
    const std::string folder = "alone" + std::to_string(k);
    ASSERT_EQ(run->run({"-m", std::to_string(k), "-s", folder}, "", {}, Program::Malhas).exit_code, 0);
    alone[k] = folder_contents(*run, folder);
  }
  const ChildResult r = run->run(
      {}, "", {"sh", "-c", "for k in 2 3 4 5 6 7 8; do \"$0\" -m $k -s mesma & done; wait"},
      Program::Malhas);
  // Those that found the folder taken said so, once each: at most six of the seven.
  const std::string waiting =
      "aleta-malhas: a pasta mesma est\xC3\xA1 em uso por outro estudo; aguardando que ele termine\n";
  std::string said = r.err;
  int waited = 0;
  for (std::size_t at; (at = said.find(waiting)) != std::string::npos; ++waited) said.erase(at, waiting.size());
  EXPECT_EQ(said, "");
  EXPECT_LE(waited, 6);
  const std::map<std::string, std::string> together = folder_contents(*run, "mesma");
  int matches = 0;
  for (int k = 2; k <= 8; ++k) matches += together == alone[k];
  EXPECT_EQ(matches, 1) << "a mix of studies, or a temporary file left";
}

TEST(MalhasProgram, LinksAndPipesAtTheOldTemporaryNamesAreLeftAlone) {
  if (ProgramRun::windows_program()) GTEST_SKIP() << "POSIX links and pipes";
  const auto run = example("uds");
  run->put("precioso", "precioso\n");
  std::filesystem::create_directory(run->directory() + "/o");
  std::filesystem::create_symlink("../precioso", run->directory() + "/o/.malhas.csv.temp");
  ASSERT_EQ(::mkfifo((run->directory() + "/o/.malhas.txt.temp").c_str(), 0666), 0);
  const ChildResult r = run->run({"-m", "3", "-s", "o"}, "", {"timeout", "20"}, Program::Malhas);
  EXPECT_EQ(r.exit_code, 0) << r.err;
  EXPECT_EQ(run->get("precioso"), "precioso\n");
  // The study's files, and the two names planted: no temporary file of the study's own.
  std::size_t temporary = 0;
  for (const auto& entry : std::filesystem::directory_iterator(run->directory() + "/o")) {
    temporary += entry.path().extension() == ".temp";
  }
  EXPECT_EQ(temporary, 2u);
  EXPECT_TRUE(run->exists("o/malhas.csv"));
}

TEST(MalhasProgram, BadFolderOrMissingIterationFileIsRefusedBeforeComputing) {
  const auto run = example("uds");
  const struct {
    std::vector<std::string> args;
    std::string message;
  } cases[] = {
      {{"-s", ""}, "aleta-malhas: --saida: o nome da pasta est\xC3\xA1 vazio\n"},
      {{"-e", "ambos"},
       "aleta-malhas: o esquema UDS-2 l\xC3\xAA o arquivo entradas_uds.ent, que n\xC3\xA3o existe: "
       "crie-o com tr\xC3\xAAs valores, um por linha: itmax (m\xC3\xA1ximo de itera\xC3\xA7\xC3\xB5"
       "es), tol (toler\xC3\xA2ncia do res\xC3\xAD" "duo L1 normalizado) e T0 (temperatura inicial)\n"},
  };
  for (const auto& c : cases) {
    const ChildResult r = run->run(c.args, "", {}, Program::Malhas);
    EXPECT_EQ(r.exit_code, 1);
    EXPECT_EQ(r.err, c.message);
  }
  EXPECT_FALSE(run->exists("entradas_uds.ent"));
  EXPECT_FALSE(run->exists("estudo_malhas"));
  if (ProgramRun::windows_program()) return;
  // A folder that cannot be made fails at once, before a mesh of 2^24 + 1 nodes.
  const ChildResult r = run->run({"-l", "16777217", "-s", "/proc/nada/estudo"}, "", {}, Program::Malhas);
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_EQ(r.err, "aleta-malhas: n\xC3\xA3o foi poss\xC3\xADvel criar a pasta /proc/nada/estudo "
                   "(caminho inexistente)\n");
}

TEST(MalhasProgram, HelpAndVersionThatCannotBeWrittenEndWithExitCode1) {
  const auto run = example("uds");
  for (const std::string option : {"--help", "--version"}) {
    const ChildResult r =
        run->run({option}, "", {"sh", "-c", "exec \"$@\" >/dev/full", "sh"}, Program::Malhas);
    EXPECT_EQ(r.exit_code, 1) << option;
    EXPECT_EQ(r.err, "aleta-malhas: n\xC3\xA3o foi poss\xC3\xADvel escrever na sa\xC3\xAD" "da padr\xC3\xA3o\n")
        << option;
  }
}

TEST(MalhasProgram, FolderNamedInAnyScriptIsThatFolder) {
  const auto run = example("uds");
  std::filesystem::create_directory(run->directory() + "/resultados");
  run->put("resultados/malhas.csv", "an older study\n");
  for (const std::string folder : {"re\xC5\x9Dultados", "pasta \xC3\xA7 \xE6\x97\xA5\xE6\x9C\xAC"}) {
    const ChildResult r = run->run({"-m", "2", "-s", folder}, "", {}, Program::Malhas);
    EXPECT_EQ(r.exit_code, 0) << folder << r.err;
    // By its UTF-8 name on this side: the Windows program's file names are wide.
    EXPECT_TRUE(file_exists(run->directory() + "/" + folder + "/malhas.csv")) << folder;
  }
  EXPECT_EQ(run->get("resultados/malhas.csv"), "an older study\n");
}

TEST(MalhasProgram, ChartsAreWellFormedAndRender) {
  const auto run = example("uds2");
  ASSERT_EQ(run->run({"-m", "4", "-e", "ambos"}, "", {}, Program::Malhas).exit_code, 0);
  for (const std::string chart :
       {"erro", "convergencia", "orcamento", "ordens", "perfil", "extrapolacoes", "estimadores"}) {
    const std::string svg = run->directory() + "/estudo_malhas/" + chart + ".svg";
    const ChildResult xml = run_program({"xmllint", "--noout", svg}, run->directory());
    EXPECT_EQ(xml.exit_code, 0) << chart << xml.err;
    const ChildResult png = run_program({"rsvg-convert", "-o", chart + ".png", svg}, run->directory());
    EXPECT_EQ(png.exit_code, 0) << chart << png.err;
    EXPECT_EQ(run->get(chart + ".png").substr(0, 4), "\x89PNG") << chart;
  }
}

// The hardest study of the guide's examples to draw: both schemes on a fin 1 m long from N = 3,
// fourteen meshes; on it the UDS heat rates lie on the UDS-2 ones, and orders fall off the axis.
TEST(MalhasProgram, EveryChartOfBothSchemesOnALongFinCanBeRead) {
  const auto run = example("uds2");
  std::string general = read_file(kExamples + "uds/entradas_geral.ent");
  general.replace(general.find("0.05 "), 4, "1.0");
  general.replace(general.find("\n21 ") + 1, 2, "3");
  run->put("entradas_geral.ent", general);
  ASSERT_EQ(run->run({"-e", "ambos", "-m", "14"}, "", {}, Program::Malhas).exit_code, 0);
  for (const std::string chart :
       {"erro", "convergencia", "orcamento", "ordens", "perfil", "extrapolacoes", "estimadores"}) {
    malhas::expect_legible(malhas::read_chart(run->get("estudo_malhas/" + chart + ".svg")), chart);
  }
}

// The cells of one CSV line, a quoted cell unquoted (its doubled quotes made single).
std::vector<std::string> csv_cells(const std::string& line, char separator) {
  std::vector<std::string> cells(1);
  bool quoted = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (c == '"' && quoted && i + 1 < line.size() && line[i + 1] == '"') {
      cells.back() += c;
      ++i;
    } else if (c == '"') {
      quoted = !quoted;
    } else if (c == separator && !quoted) {
      cells.emplace_back();
    } else {
      cells.back() += c;
    }
  }
  return cells;
}

std::vector<std::string> lines_of(const std::string& text, const std::string& line_end) {
  std::vector<std::string> lines;
  for (std::size_t at = 0, end; at < text.size(); at = end + line_end.size()) {
    end = text.find(line_end, at);
    if (end == std::string::npos) end = text.size();
    lines.push_back(text.substr(at, end - at));
  }
  return lines;
}

// A cell that is all one number, as strtod in the C locale reads it.
bool read_number(const std::string& cell, double& value) {
  char* end = nullptr;
  value = std::strtod(cell.c_str(), &end);
  return !cell.empty() && end == cell.c_str() + cell.size();
}

// malhas_excel.csv and extrapolacoes_excel.csv read as a spreadsheet in Portuguese (Brazil)
// reads them: the byte-order mark says UTF-8, `;` separates cells, CR LF ends rows, and a number
// has a decimal comma and no point. Every cell must be the same as the plain file's, each number
// the same double.
void spreadsheet_matches_csv(const std::string& plain_csv, std::string excel, std::size_t least_numbers) {
  const std::vector<std::string> plain = lines_of(plain_csv, "\n");
  ASSERT_EQ(excel.substr(0, 3), "\xEF\xBB\xBF");
  excel.erase(0, 3);
  EXPECT_EQ(std::count(excel.begin(), excel.end(), '\n'), std::count(excel.begin(), excel.end(), '\r'))
      << "every row ends with CR LF";
  const std::vector<std::string> brazilian = lines_of(excel, "\r\n");
  ASSERT_EQ(brazilian.size(), plain.size());
  std::size_t numbers = 0;
  for (std::size_t row = 0; row < plain.size(); ++row) {
    const std::vector<std::string> want = csv_cells(plain[row], ',');
    std::vector<std::string> got = csv_cells(brazilian[row], ';');
    ASSERT_EQ(got.size(), want.size()) << brazilian[row];
    for (std::size_t column = 0; column < want.size(); ++column) {
      double expected = 0, read = 0;
      if (!read_number(want[column], expected)) {
        EXPECT_EQ(got[column], want[column]) << "row " << row << " column " << column;
        continue;
      }
      std::string cell = got[column];
      EXPECT_EQ(cell.find('.'), std::string::npos) << cell;
      for (char& c : cell) c = c == ',' ? '.' : c;
      ASSERT_TRUE(read_number(cell, read)) << got[column];
      EXPECT_EQ(std::memcmp(&read, &expected, sizeof read), 0) << got[column] << " vs " << want[column];
      ++numbers;
    }
  }
  EXPECT_GT(numbers, least_numbers) << "too few numbers compared";
}

TEST(MalhasProgram, SpreadsheetTablesHoldTheSameCellsAsTheCsvs) {
  const auto run = example("uds2");
  ASSERT_EQ(run->run({"-e", "ambos", "-m", "4"}, "", {}, Program::Malhas).exit_code, 0);
  // 2 schemes, 4 meshes and 3 quantities of about 10 numbers each; 2 schemes, 3 quantities,
  // 2 arithmetics and 6 levels' values of 3 or 4 numbers each.
  const std::pair<const char*, std::size_t> tables[] = {{"malhas", 2u * 4 * 3 * 10},
                                                        {"extrapolacoes", 2u * 3 * 2 * 6 * 3}};
  for (const auto& [table, least_numbers] : tables) {
    SCOPED_TRACE(table);
    spreadsheet_matches_csv(run->get(std::string("estudo_malhas/") + table + ".csv"),
                            run->get(std::string("estudo_malhas/") + table + "_excel.csv"),
                            least_numbers);
  }
}

TEST(MalhasProgram, ErrorChartDrawsTheTableWithRingsOnItsMarkedMeshes) {
  const auto run = example("uds2");
  ASSERT_EQ(run->run({"-m", "10"}, "", {}, Program::Malhas).exit_code, 0);
  const CsvRows rows = csv_rows(*run);
  const malhas::DrawnChart chart = malhas::read_chart(run->get("estudo_malhas/erro.svg"));
  const std::vector<malhas::DrawnPoint>& tip = chart.panel("T(N)").at("UDS-2").points;
  ASSERT_EQ(tip.size(), 10u);
  std::size_t rings = 0;
  for (std::size_t k = 0; k < tip.size(); ++k) {
    const std::string key = "UDS-2 " + std::to_string(20 * (1 << k) + 1) + " T(N)";
    EXPECT_NEAR(tip[k].x / number(rows, key, kSpacing), 1, 1e-3) << key;
    EXPECT_NEAR(tip[k].y / std::fabs(number(rows, key, kError)), 1, 1e-3) << key;
    const bool marked = rows.at(key).at(kRoundOff) == "sim" || rows.at(key).at(kIterationMark) == "sim";
    EXPECT_EQ(tip[k].ringed, marked) << key;
    rings += marked;
  }
  EXPECT_GT(rings, 0u) << "round-off outweighs discretisation on the finest meshes";
}

}  // namespace
}  // namespace testing_support
