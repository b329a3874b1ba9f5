#pragma once
// The frame of the process before the main program runs.

namespace process {

// Prepares the process: floating-point control with traps for invalid operation, division by
// zero and overflow, the arithmetic-fault handler, and the command line for blank file names.
void start_up(int argc, char** argv);

}  // namespace process
