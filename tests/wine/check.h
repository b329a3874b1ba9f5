#pragma once
// A small test harness for the checks that run as Windows programs under Wine, where GoogleTest
// is not available: named cases, checks that report the failing expression and its values, and
// a closing line "N passed, M failed".
#include <sstream>
#include <string>

namespace wine_checks {

using CaseBody = void (*)();

struct CaseRegistration {
  CaseRegistration(const char* name, CaseBody body);
};

// Records a failed check of the current case.
void fail(const char* file, int line, const std::string& what);

template <typename A, typename B>
void check_equal(const A& actual, const B& expected, const char* actual_text, const char* file,
                 int line) {
  if (actual == expected) return;
  std::ostringstream what;
  what << actual_text << " is [" << actual << "], expected [" << expected << "]";
  fail(file, line, what.str());
}

// Runs every registered case, or those whose names contain `filter`; returns the exit code.
int run_cases(const char* filter);

}  // namespace wine_checks

#define WINE_CASE(name)                                                     \
  static void name();                                                       \
  static const wine_checks::CaseRegistration name##_registration(#name, name); \
  static void name()

#define CHECK(condition) \
  ((condition) ? (void)0 : wine_checks::fail(__FILE__, __LINE__, #condition))

#define CHECK_EQ(actual, expected) \
  wine_checks::check_equal((actual), (expected), #actual, __FILE__, __LINE__)
