#include "aleta/principal.h"

#include "aleta/editor.h"
#include "aleta/relatorio.h"
#include "fin/entradas.h"
#include "fin/pos_processamento.h"
#include "fin/processamento.h"
#include "process/clock.h"
#include "process/run_time_error.h"
#include "process/storage.h"

namespace aleta {
namespace {

// The whole exact profile, and a second thread for the long loops over the nodes and for
// putting large arrays' pages in place, whatever the machine: aleta's choice since it first
// shared them.
fin::CaseOptions case_options() {
  fin::CaseOptions options;
  options.profile_stride = 1;
  options.threads = 2;
  return options;
}

}  // namespace

int principal(platform::FileSystem& files) {
  try {
    run_processing(files);
  } catch (const process::StorageUnavailable&) {
    // No unit is open while arrays are created: nothing is lost by reporting it here.
    process::raise_run_time_error(process::kNoArrayStorage);
  }
  return 0;
}

void run_processing(platform::FileSystem& files) {
  open_in_editor(fin::kGeneralInputFile);
  // A value that cannot be read ends the run with its run-time error, here as in the reading.
  const fin::GeneralInputFile general = process::value_or_raise(fin::read_general_input(files));
  const fin::GeneralInput& in = general.input;
  process::ElapsedTimeClock clock;
  double tempo = clock.elapsed_seconds();  // starts the clock
  fin::IterationInput iteration;
  // The time includes the user's editing of the iteration input.
  const auto edited_iteration_input = [&] {
    open_in_editor(fin::kIterationInputFile);
    iteration = process::value_or_raise(fin::read_iteration_input(files));
    return iteration;
  };
  fin::Case<double> c =
      fin::solve_case<double>(in, in.mesh_choice(), edited_iteration_input, case_options());
  tempo = clock.elapsed_seconds();
  fin::post_process(c);
  write_report(files, {general.report_name, in, iteration, c, tempo});
}

}  // namespace aleta
