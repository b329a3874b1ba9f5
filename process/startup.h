#pragma once
// The frame of the process before the main program runs.

namespace process {

// Prepares the process: first the guards against missing standard streams and the file-size
// limit and one heap for every thread, then floating-point control with traps for invalid operation, division by zero and
// overflow, the arithmetic-fault handler, and the command line for blank file names.
void start_up(int argc, char** argv);

// The guards alone, for a program that computes with its faults held rather than trapped: the
// standard streams open, a file-size limit reported as a failed write, and one heap for every
// thread (platform/heap.h).
void start_up_without_traps();

}  // namespace process
