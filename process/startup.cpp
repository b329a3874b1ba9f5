#include "process/startup.h"

#include "platform/clock.h"
#include "platform/fp_control.h"
#include "platform/process_guards.h"
#include "process/command_line.h"
#include "process/run_time_error.h"

namespace process {
namespace {

// A trapped arithmetic fault ends the run with the fault's own number and name.
[[noreturn]] void report_arithmetic_fault(platform::FpFault fault) {
  switch (fault) {
    case platform::FpFault::Invalid:
      raise_run_time_error(6101, Operation::Math, "", "floating-point error: invalid");
    case platform::FpFault::DivideByZero:
      raise_run_time_error(6103, Operation::Math, "", "floating-point error: divide by zero");
    case platform::FpFault::Overflow:
      break;
  }
  raise_run_time_error(6104, Operation::Math, "", "floating-point error: overflow");
}

}  // namespace

void start_up(int argc, char** argv) {
  platform::install_process_guards();
  keep_command_line(argc, argv);
  platform::enable_fp_traps();
  platform::install_fp_fault_handler(report_arithmetic_fault);
  platform::create_clock_lock();
}

}  // namespace process
