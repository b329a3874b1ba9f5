#include "tests/wine/child_scenario.h"

#include <cstring>
#include <map>
#include <string>

#include "process/startup.h"
#include "process/termination.h"
#include "textio/unit_close.h"

namespace wine_checks {
namespace {

std::map<std::string, ScenarioBody>& scenarios() {
  static std::map<std::string, ScenarioBody> all;
  return all;
}

}  // namespace

ScenarioRegistration::ScenarioRegistration(const char* name, ScenarioBody body) {
  scenarios()[name] = body;
}

int run_scenario(int argc, char** argv) {
  const auto found = scenarios().find(argv[2]);
  if (found == scenarios().end()) return 99;
  process::start_up(argc - 2, argv + 2);
  textio::initialise_unit_layer();
  found->second();
  process::terminate_process(0);
}

}  // namespace wine_checks
