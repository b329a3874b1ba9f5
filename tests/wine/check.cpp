#include "tests/wine/check.h"

#include <cstdio>
#include <cstring>
#include <vector>

namespace wine_checks {
namespace {

struct Case {
  const char* name;
  CaseBody body;
};

std::vector<Case>& cases() {
  static std::vector<Case> all;
  return all;
}

int failures_in_case = 0;

}  // namespace

CaseRegistration::CaseRegistration(const char* name, CaseBody body) {
  cases().push_back({name, body});
}

void fail(const char* file, int line, const std::string& what) {
  ++failures_in_case;
  std::printf("  %s:%d: %s\n", file, line, what.c_str());
}

int run_cases(const char* filter) {
  int passed = 0;
  int failed = 0;
  for (const Case& c : cases()) {
    if (filter != nullptr && std::strstr(c.name, filter) == nullptr) continue;
    failures_in_case = 0;
    std::printf("[ RUN  ] %s\n", c.name);
    std::fflush(stdout);
    c.body();
    std::printf("[ %s ] %s\n", failures_in_case == 0 ? " OK " : "FAIL", c.name);
    (failures_in_case == 0 ? passed : failed) += 1;
  }
  std::printf("%d passed, %d failed\n", passed, failed);
  return failed == 0 && passed > 0 ? 0 : 1;
}

}  // namespace wine_checks
