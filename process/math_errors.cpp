#include "process/math_errors.h"

#include <cmath>
#include <string>

#include "process/held_fp_traps.h"
#include "process/run_time_error.h"

namespace process {
namespace {

// Evaluates one hyperbolic function with its faults held, so that an overflow inside the
// library call is judged here, as the function's own error, and ends the run with the
// function's name. An overflow is the only error sinh and cosh of a double can meet: an
// underflow gives the function's default result silently. The program cannot reach the
// report today: the fin's analytical solution is evaluated in a scaled form wherever these
// functions would overflow (fin/aleta_longa.h).
double checked(double (*function)(double), const char* name, double x) {
  double result = 0.0;
  {
    HeldFpTraps held;
    result = function(x);
  }
  if (std::isfinite(x) && std::isinf(result)) {
    raise_run_time_error(kHyperbolicOverflow,
                         std::string(name) + ": " + std::string(kHyperbolicOverflow.text));
  }
  return result;
}

}  // namespace

double checked_sinh(double x) { return checked([](double v) { return std::sinh(v); }, "sinh", x); }
double checked_cosh(double x) { return checked([](double v) { return std::cosh(v); }, "cosh", x); }

}  // namespace process
