#pragma once
// sinh and cosh with their own error checks: an error is judged by the hyperbolic-function
// error hook, not by the arithmetic-fault handler.

namespace process {

enum class MathErrorType { Domain = 1, Sing, Overflow, Underflow, TLoss, PLoss };

// Reports the error and ends the run (M6201 to M6206), except for Underflow and PLoss, after
// which the function's default result is used.
void hyperbolic_function_error(MathErrorType type, const char* function_name);

double checked_sinh(double x);
double checked_cosh(double x);

}  // namespace process
