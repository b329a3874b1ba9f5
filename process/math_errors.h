#pragma once
// sinh and cosh with their own error check: a result too large for a double is reported as the
// function's overflow (M6203), not as a trapped arithmetic fault.

namespace process {

double checked_sinh(double x);
double checked_cosh(double x);

}  // namespace process
