// Disconnecting units: one by the program's close, all of them at the end of the run.
#include <memory>

#include "process/run_time_error.h"
#include "process/termination.h"
#include "textio/unit_buffer.h"
#include "textio/unit_table.h"
#include "textio/unit_close.h"

namespace textio {
namespace {

void close_all_units() {
  for (int number : connected_unit_numbers()) close_unit(number);
}

// Runs also after a failure, so that the records already written reach their files.
void close_units_at_end() { process::run_end_of_run_closing(close_all_units); }

}  // namespace

void initialise_unit_layer() { process::register_exit_handler(close_units_at_end); }

// The unit leaves the table before its output is written: should the write fail, the error
// ends the run with the unit already disconnected, and the record (closing its handle as it
// goes) is released even when the failure unwinds the end-of-run closing.
void close_unit(int number) {
  std::unique_ptr<UnitRecord> unit = detach_unit(number);
  if (unit && unit->writing) write_out_buffer(*unit, process::Operation::Close);
}

}  // namespace textio
