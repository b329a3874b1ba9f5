#include "malhas/program.h"

#include <thread>

#include "fin/entradas.h"
#include "malhas/fin_mesh.h"
#include "malhas/program_name.h"
#include "malhas/study.h"
#include "process/console.h"

namespace malhas {
namespace {

// Meshes done of the total, rewritten in place on a terminal; nothing anywhere else.
ProgressReport progress_display() {
  if (!process::standard_error_is_terminal()) return [](std::size_t, std::size_t) {};
  return [](std::size_t done, std::size_t total) {
    process::write_standard_error("\rmalhas calculadas: " + std::to_string(done) + " de " +
                                  std::to_string(total) + (done == total ? "\n" : ""));
  };
}

int fail(const std::string& message) {
  process::write_standard_error(std::string(kProgram) + ": " + message + "\n");
  return 1;
}

}  // namespace

int run_program(int argc, char** argv, platform::FileSystem& files) {
  const ParsedOptions parsed = parse_options(argc, argv, std::thread::hardware_concurrency());
  process::write_standard_output(parsed.out);
  process::write_standard_error(parsed.err);
  if (!parsed.run) return parsed.exit_code;
  const StudyOptions& options = parsed.options;

  // The reader's errors end the process with its message, before anything is written.
  const fin::GeneralInput general = fin::read_general_input(files);
  const StudyPlan plan = plan_study(options, general.N, general.scheme);
  if (!plan.error.empty()) return fail(plan.error);
  fin::IterationInput iteration;
  for (fin::TipScheme scheme : plan.schemes) {
    if (fin::iterates(scheme)) iteration = fin::read_iteration_input(files);
  }

  const std::vector<SchemeStudy> studies = run_study(
      plan, options.threads,
      [&](const MeshJob& job) { return compute_fin_mesh(general, iteration, job, options.quad_reference); },
      progress_display());
  const std::string written = write_output_files(options.folder, study_files(studies));
  if (!written.empty()) return fail(written);
  const std::string failures = failure_lines(studies);
  process::write_standard_error(failures);
  return failures.empty() ? 0 : 1;
}

}  // namespace malhas
