// sinh and cosh with their error check.
#include "process/math_errors.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "process/startup.h"
#include "tests/support/child_process.h"

namespace process {
namespace {

using testing_support::run_in_child;

const std::string kFrame = "\r\nrun-time error M";

// The overflow is judged by the function's check, not by the trapped-fault handler.
TEST(CheckedHyperbolics, OverflowEndsTheRunNamingTheFunction) {
  static char name[] = "aleta";
  static char* argv[] = {name, nullptr};
  auto r = run_in_child([] {
    start_up(1, argv);
    checked_cosh(710.5);
  });
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_EQ(r.err, kFrame + "6203: MATH\r\n- cosh: OVERFLOW error\r\n");

  r = run_in_child([] {
    start_up(1, argv);
    checked_sinh(-800.0);
  });
  EXPECT_EQ(r.err, kFrame + "6203: MATH\r\n- sinh: OVERFLOW error\r\n");
}

TEST(CheckedHyperbolics, OrdinaryAndTinyArgumentsGiveTheFunctionValue) {
  static char name[] = "aleta";
  static char* argv[] = {name, nullptr};
  auto r = run_in_child([] {
    start_up(1, argv);
    const double e = std::exp(1.0);
    volatile double tiny = 1e-310;  // sinh underflows to the denormal argument itself
    if (std::fabs(checked_cosh(1.0) - (e + 1 / e) / 2) > 1e-15) _exit(2);
    if (std::fabs(checked_sinh(1.0) - (e - 1 / e) / 2) > 1e-15) _exit(3);
    if (checked_sinh(tiny) != tiny) _exit(4);
    if (checked_cosh(709.0) != std::cosh(709.0)) _exit(5);
  });
  EXPECT_EQ(r.exit_code, 0);
  EXPECT_EQ(r.err, "");
}

}  // namespace
}  // namespace process
