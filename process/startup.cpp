#include "process/startup.h"

#include "platform/fp_control.h"
#include "platform/heap.h"
#include "platform/process_guards.h"
#include "process/command_line.h"
#include "process/run_time_error.h"

namespace process {
namespace {

// A trapped arithmetic fault ends the run with the fault's own number and name.
[[noreturn]] void report_arithmetic_fault(platform::FpFault fault) {
  switch (fault) {
    case platform::FpFault::Invalid: raise_run_time_error(kFpInvalid);
    case platform::FpFault::DivideByZero: raise_run_time_error(kFpDivideByZero);
    case platform::FpFault::Overflow: break;
  }
  raise_run_time_error(kFpOverflow);
}

}  // namespace

void start_up_without_traps() {
  platform::install_process_guards();
  platform::use_one_heap();
}

void start_up(int argc, char** argv) {
  start_up_without_traps();
  keep_command_line(argc, argv);
  platform::enable_fp_traps();
  platform::install_fp_fault_handler(report_arithmetic_fault);
}

}  // namespace process
