#pragma once
// The run of the whole program in a forked child, for the program fuzz target. The child is the
// program as it runs for a user (floating-point traps, failures that end the process), with
// these differences linked in: a small machine (arrays may use 256 KiB in all), an editor
// command that does nothing, and files only inside the working directory. Its coverage is
// handed back to the fuzzer in the parent when it ends.
#include <cstddef>

namespace fuzz {

// Set up once, before the first child: the memory the children hand their coverage back in.
void prepare_child_runs();

// In the child: runs the program in the current directory and ends the child with its exit code.
[[noreturn]] void run_program_in_child();

// In the parent, after the child has ended: adds the child's coverage to the fuzzer's, and tells
// whether the child sent its report to the null device.
bool take_child_outcome();

}  // namespace fuzz
