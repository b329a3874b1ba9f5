// The process frame: a quiet successful end, and trapped arithmetic faults reported by kind.
#include "process/startup.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <csignal>

#include "process/run_time_error.h"
#include "process/termination.h"
#include "tests/support/child_process.h"
#include "tests/support/temp_dir.h"
#include "tests/textio/unit_test_support.h"
#include "textio/unit_close.h"

namespace process {
namespace {

using testing_support::run_in_child;

char program_name[] = "aleta";
char* argv[] = {program_name, nullptr};

// Runs `computation` after start-up, in a child; a computation that completes ends the run
// normally.
testing_support::ChildResult after_start_up(void (*computation)()) {
  static void (*current)() = nullptr;
  current = computation;
  return run_in_child([] {
    start_up(1, argv);
    textio::initialise_unit_layer();
    current();
    terminate_process(0);
  });
}

volatile double zero = 0.0;
volatile double one = 1.0;
volatile double huge = DBL_MAX;
volatile double result = 0.0;

TEST(StartUp, SuccessfulRunIsSilent) {
  auto r = after_start_up([] { result = one + one; });
  EXPECT_EQ(r.exit_code, 0);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "");
}

TEST(StartUp, EachTrappedFaultEndsTheRunWithItsName) {
  auto r = after_start_up([] { result = zero / zero; });
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_EQ(r.err, "\r\nrun-time error M6101: MATH\r\n- floating-point error: invalid\r\n");

  r = after_start_up([] { result = one / zero; });
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_EQ(r.err, "\r\nrun-time error M6103: MATH\r\n- floating-point error: divide by zero\r\n");

  r = after_start_up([] { result = huge * 2.0; });
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_EQ(r.err, "\r\nrun-time error M6104: MATH\r\n- floating-point error: overflow\r\n");
}

TEST(StartUp, UnderflowAndDenormalsPassSilently) {
  auto r = after_start_up([] {
    result = DBL_MIN * 1e-10 * one;  // a denormal
    result = result * 1e-300;        // zero
    if (result != 0.0) terminate_process(3);
  });
  EXPECT_EQ(r.exit_code, 0);
  EXPECT_EQ(r.err, "");
}

TEST(StartUp, OtherArithmeticSignalsKeepTheirDefaultAction) {
  auto r = after_start_up([] { std::raise(SIGFPE); });
  EXPECT_EQ(r.exit_code, 128 + SIGFPE);
  EXPECT_EQ(r.err, "");
}

TEST(StartUp, FaultWhileWritingKeepsTheRecordsWritten) {
  static testing_support::TempDir dir;
  auto r = after_start_up([] {
    textio::testing::open_named(1, dir.file("saida.txt"));
    textio::testing::write_record(1, "before the fault");
    result = one / zero;
    textio::testing::write_record(1, "never written");
  });
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_EQ(r.err, "\r\nrun-time error M6103: MATH\r\n- floating-point error: divide by zero\r\n");
  EXPECT_EQ(testing_support::read_file(dir.file("saida.txt")), "before the fault\r\n");
}

TEST(StartUp, StorageFailureIsReportedWithoutAFileName) {
  auto r = after_start_up([] { raise_run_time_error(kNoArrayStorage); });
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_EQ(r.err, "\r\nrun-time error F6772\r\n- not enough memory for an array\r\n");
}

}  // namespace
}  // namespace process
