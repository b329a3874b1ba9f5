// Trapped arithmetic faults and hyperbolic-function errors on Windows: the exact message on the
// standard error stream and exit code 1; underflow passes silently.
#include <cfloat>
#include <cmath>
#include <string>

#include "process/first_fp_fault.h"
#include "process/math_errors.h"
#include "tests/support/temp_dir.h"
#include "tests/textio/unit_test_support.h"
#include "tests/wine/check.h"
#include "tests/wine/child_run.h"
#include "tests/wine/child_scenario.h"

namespace {

volatile double zero = 0.0;
volatile double one = 1.0;
volatile double huge = DBL_MAX;
volatile double result = 0.0;

WINE_SCENARIO(zero_by_zero) { result = zero / zero; }
WINE_SCENARIO(one_by_zero) { result = one / zero; }
WINE_SCENARIO(beyond_largest) { result = huge * 2.0; }
WINE_SCENARIO(square_root_of_negative) { result = std::sqrt(-one); }
WINE_SCENARIO(cosh_beyond_largest) { result = process::checked_cosh(800.0 * one); }
WINE_SCENARIO(sinh_beyond_largest) { result = process::checked_sinh(-800.0 * one); }
WINE_SCENARIO(underflow_and_denormals) {
  result = DBL_MIN * 1e-10 * one;  // a denormal
  result = result * 1e-300;        // zero
  result = process::checked_sinh(1e-310 * one) + process::checked_cosh(1e-310 * one);
  result = std::sqrt(0.0 * one) + std::sqrt(1e-320 * one);
}
// The study records faults in a scope; after it, a trapping program's fault ends it as before.
WINE_SCENARIO(one_by_zero_after_recording) {
  { process::FirstFpFault recorded; }
  result = one / zero;
}
WINE_SCENARIO(fault_while_writing) {
  textio::testing::open_named(1, "saida.txt");
  textio::testing::write_record(1, "before the fault");
  result = one / zero;
  textio::testing::write_record(1, "never written");
}
// The closing at the end fails too: its error is reported after the fault's, from inside the
// handling of the fault, and the run still ends with exit code 1.
WINE_SCENARIO(fault_then_failing_close) {
  static textio::testing::FaultyFileSystem files;
  files.failing_write = 1;
  textio::testing::open_named(1, "saida.txt", files);
  textio::testing::write_record(1, "lost with the failing write");
  result = one / zero;
}

std::string math_error(const std::string& number, const std::string& text) {
  return "\r\nrun-time error M" + number + ": MATH\r\n- " + text + "\r\n";
}

void check_ends_with(const char* scenario, const std::string& message) {
  const auto r = wine_checks::run_child(wine_checks::self_command(scenario));
  CHECK_EQ(r.exit_code, 1ul);
  CHECK_EQ(r.err, message);
  CHECK_EQ(r.out, "");
}

WINE_CASE(EachTrappedFaultEndsTheRunWithItsName) {
  check_ends_with("zero_by_zero", math_error("6101", "floating-point error: invalid"));
  check_ends_with("one_by_zero", math_error("6103", "floating-point error: divide by zero"));
  check_ends_with("beyond_largest", math_error("6104", "floating-point error: overflow"));
  check_ends_with("one_by_zero_after_recording",
                  math_error("6103", "floating-point error: divide by zero"));
}

// The C library returns a NaN for it without the invalid-operation flag; the run must still
// end as the square-root instruction makes it end elsewhere.
WINE_CASE(SquareRootOfANegativeNumberIsAnInvalidOperation) {
  check_ends_with("square_root_of_negative", math_error("6101", "floating-point error: invalid"));
}

WINE_CASE(HyperbolicOverflowIsReportedByTheFunction) {
  check_ends_with("cosh_beyond_largest", math_error("6203", "cosh: OVERFLOW error"));
  check_ends_with("sinh_beyond_largest", math_error("6203", "sinh: OVERFLOW error"));
}

WINE_CASE(UnderflowAndDenormalsPassSilently) {
  const auto r = wine_checks::run_child(wine_checks::self_command("underflow_and_denormals"));
  CHECK_EQ(r.exit_code, 0ul);
  CHECK_EQ(r.err, "");
}

WINE_CASE(FaultWhileWritingKeepsTheRecordsWritten) {
  testing_support::TempDir dir;
  const auto r = wine_checks::run_child(wine_checks::self_command("fault_while_writing"), "",
                                        dir.path());
  CHECK_EQ(r.exit_code, 1ul);
  CHECK_EQ(r.err, math_error("6103", "floating-point error: divide by zero"));
  CHECK_EQ(testing_support::read_file(dir.file("saida.txt")), "before the fault\r\n");
}

WINE_CASE(FailureWhileClosingAfterAFaultIsReportedToo) {
  testing_support::TempDir dir;
  const auto r = wine_checks::run_child(wine_checks::self_command("fault_then_failing_close"), "",
                                        dir.path());
  CHECK_EQ(r.exit_code, 1ul);
  CHECK_EQ(r.err, math_error("6103", "floating-point error: divide by zero") +
                      textio::testing::unit_error("6422: CLOSE", "saida.txt",
                                                  "cannot write file: disk full"));
}

}  // namespace
