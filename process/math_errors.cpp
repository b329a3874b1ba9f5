#include "process/math_errors.h"

#include <cmath>
#include <string>

#include "process/held_fp_traps.h"
#include "process/run_time_error.h"

namespace process {
namespace {

const char* type_name(MathErrorType type) {
  switch (type) {
    case MathErrorType::Domain: return "DOMAIN";
    case MathErrorType::Sing: return "SING";
    case MathErrorType::Overflow: return "OVERFLOW";
    case MathErrorType::Underflow: return "UNDERFLOW";
    case MathErrorType::TLoss: return "TLOSS";
    case MathErrorType::PLoss: return "PLOSS";
  }
  return "";
}

// Evaluates one hyperbolic function and judges its outcome as the function's own error checks
// do. The library-function-in-progress mark is the held-traps scope itself: while it lasts, a
// fault inside the library call only raises a flag and cannot reach the arithmetic-fault
// handler, so the fault is judged here and by the hook.
double checked(double (*function)(double), const char* name, double x) {
  double result = 0.0;
  bool underflowed = false;
  {
    HeldFpTraps held;
    result = function(x);
    underflowed = held.underflowed();
  }
  if (std::isfinite(x) && std::isinf(result)) {
    hyperbolic_function_error(MathErrorType::Overflow, name);
  } else if (underflowed && result != 0.0) {
    hyperbolic_function_error(MathErrorType::Underflow, name);
  }
  return result;
}

}  // namespace

void hyperbolic_function_error(MathErrorType type, const char* function_name) {
  if (type == MathErrorType::Underflow || type == MathErrorType::PLoss) return;
  const std::string text = std::string(function_name) + ": " + type_name(type) + " error";
  raise_run_time_error(6200 + static_cast<int>(type), Operation::Math, "", text);
}

double checked_sinh(double x) { return checked([](double v) { return std::sinh(v); }, "sinh", x); }
double checked_cosh(double x) { return checked([](double v) { return std::cosh(v); }, "cosh", x); }

}  // namespace process
