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
  const fin::GeneralInput in = fin::read_general_input(files);
  process::ElapsedTimeClock clock;
  double tempo = clock.elapsed_seconds();  // starts the clock
  fin::IterationInput iteration;
  // The time includes the user's editing of the iteration input.
  fin::Case<double> c = fin::solve_case<double>(in, in.mesh_choice(), [&] {
    open_in_editor(fin::kIterationInputFile);
    iteration = fin::read_iteration_input(files);
    return iteration;
  });
  tempo = clock.elapsed_seconds();
  fin::post_process(c);
  write_report(files, {in, iteration, c, tempo});
}

}  // namespace aleta
