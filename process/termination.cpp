#include "process/termination.h"

#include <cstdio>
#include <vector>

#include "platform/exit.h"
#include "process/run_time_error.h"

namespace process {
namespace {

std::vector<ExitHandler>& exit_handlers() {
  static std::vector<ExitHandler> handlers;
  return handlers;
}

}  // namespace

void register_exit_handler(ExitHandler handler) { exit_handlers().push_back(handler); }

void terminate_process(int code) {
  auto& handlers = exit_handlers();
  while (!handlers.empty()) {
    ExitHandler handler = handlers.back();
    handlers.pop_back();  // A handler that ends up here again does not run twice.
    handler();
  }
  std::fflush(nullptr);
  // A handler that failed (a report that could not be completed while closing) has reported its
  // error: the run must not then end as a success.
  if (code == 0 && run_time_error_reported()) code = 1;
  platform::exit_process(code);
}

}  // namespace process
