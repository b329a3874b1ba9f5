// The checks of the Windows build that need Windows itself, run under Wine. "--child NAME" runs
// one child scenario in a process of its own, for the checks of how a process ends.
#include <cstring>

#include "tests/wine/check.h"
#include "tests/wine/child_scenario.h"

int main(int argc, char** argv) {
  if (argc >= 3 && std::strcmp(argv[1], "--child") == 0) return wine_checks::run_scenario(argc, argv);
  return wine_checks::run_cases(argc == 2 ? argv[1] : nullptr);
}
