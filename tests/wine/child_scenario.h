#pragma once
// Scenarios that run in a child process started as the program is: after the process frame's
// start-up, ending through its termination. Checks start them with child_run.h's self_command.

namespace wine_checks {

using ScenarioBody = void (*)();

struct ScenarioRegistration {
  ScenarioRegistration(const char* name, ScenarioBody body);
};

// argv[2] names the scenario; it runs with the arguments after it as its command line. A
// scenario that returns ends the process with exit code 0.
int run_scenario(int argc, char** argv);

}  // namespace wine_checks

#define WINE_SCENARIO(name)                                                          \
  static void name##_scenario();                                                     \
  static const wine_checks::ScenarioRegistration name##_scenario_registration(#name, \
                                                                              name##_scenario); \
  static void name##_scenario()
