#include "malhas/program.h"

#include <algorithm>
#include <new>
#include <optional>
#include <thread>

#include "fin/entradas.h"
#include "malhas/fin_mesh.h"
#include "malhas/output_files.h"
#include "malhas/presentation/study_files.h"
#include "malhas/program_name.h"
#include "malhas/study.h"
#include "process/console.h"
#include "process/run_time_error.h"

namespace malhas {
namespace {

// Meshes done of the total, rewritten in place on a terminal; nothing anywhere else. A line
// the terminal did not take is remembered in `lost`, for the exit code.
ProgressReport progress_display(bool& lost) {
  if (!process::standard_error_is_terminal()) return [](std::size_t, std::size_t) {};
  return [&lost](std::size_t done, std::size_t total) {
    if (!process::write_standard_error("\rmalhas calculadas: " + std::to_string(done) + " de " +
                                       std::to_string(total) + (done == total ? "\n" : ""))) {
      lost = true;
    }
  };
}

void tell(const std::string& message) {
  process::write_standard_error(std::string(kProgram) + ": " + message + "\n");
}

int fail(const std::string& message) {
  tell(message);
  return 1;
}

// A scheme that iterates needs entradas_uds.ent; the reader would create a missing one empty and
// stop at its end, so the study says what the file must hold instead, and creates nothing.
std::string missing_iteration_input(const StudyPlan& plan, platform::FileSystem& files) {
  platform::FileStatus status;
  for (fin::TipScheme scheme : plan.schemes) {
    if (fin::iterates(scheme) && !files.status(std::string(fin::kIterationInputFile), status)) {
      return "o esquema " + std::string(fin::scheme_name(scheme)) +
             " lê o arquivo entradas_uds.ent, que não existe: crie-o com três valores, um por "
             "linha: itmax (máximo de iterações), tol (tolerância do resíduo L1 normalizado) e T0 "
             "(temperatura inicial)";
    }
  }
  return {};
}

// Held from before the first mesh to the last rename: a study never computes for nothing, and
// two studies into one folder take turns.
int compute_and_write(const StudyOptions& options, const StudyPlan& plan,
                      const fin::GeneralInput& general,
                      const std::optional<fin::IterationInput>& iteration,
                      platform::FolderFiles& folder_files) {
  OutputFolder folder(folder_files, options.folder, tell);
  if (!folder.error().empty()) return fail(folder.error());
  bool progress_lost = false;
  const std::vector<SchemeStudy> studies = run_study(
      plan, options.threads,
      [&](const MeshJob& job) {
        return compute_fin_mesh(general, iteration.value_or(fin::IterationInput{}), job,
                                options.quad_reference);
      },
      progress_display(progress_lost));
  const std::string written =
      folder.write(study_files(study_results(studies, options.least_squares_meshes),
                               describe_run(options, general, iteration)));
  if (!written.empty()) return fail(written);
  const std::string failures = failure_lines(studies);
  process::write_standard_error(failures);
  return failures.empty() && !progress_lost ? 0 : 1;
}

}  // namespace

int run_program(const std::vector<std::string>& arguments, platform::FileSystem& files,
                platform::FolderFiles& folder_files) {
  std::vector<const char*> argv;
  for (const std::string& argument : arguments) argv.push_back(argument.c_str());
  const ParsedOptions parsed = parse_options(static_cast<int>(argv.size()), argv.data(),
                                             std::thread::hardware_concurrency());
  if (!process::write_standard_output(parsed.out)) {
    return fail("não foi possível escrever na saída padrão");
  }
  process::write_standard_error(parsed.err);
  if (!parsed.run) return parsed.exit_code;
  const StudyOptions& options = parsed.options;

  // The reader's errors end the process with its message, before anything is written.
  const fin::GeneralInput general = process::value_or_raise(fin::read_general_input(files)).input;
  const StudyPlan plan = plan_study(options, general.N, general.scheme);
  if (!plan.error.empty()) return fail(plan.error);
  const std::string missing = missing_iteration_input(plan, files);
  if (!missing.empty()) return fail(missing);
  std::optional<fin::IterationInput> iteration;  // read when a scheme of the study iterates
  if (std::any_of(plan.schemes.begin(), plan.schemes.end(), fin::iterates)) {
    iteration = process::value_or_raise(fin::read_iteration_input(files));
  }

  // A lack of memory anywhere from here on (the tables, the charts, their text) ends the study
  // with this message; the folder keeps the earlier set and no temporary file.
  const std::string no_memory = "memória insuficiente para calcular o estudo e montar os seus "
                                "arquivos; os arquivos anteriores da pasta " + options.folder +
                                " ficam como estavam";
  try {
    return compute_and_write(options, plan, general, iteration, folder_files);
  } catch (const std::bad_alloc&) {
    return fail(no_memory);
  }
}

}  // namespace malhas
