#pragma once
// How the C library's heap serves the threads of the process.

namespace platform {

// Makes every thread allocate from the one heap of the process, before any thread starts. A C
// library that gives each thread a heap of its own reserves address space for it that stays
// reserved while unused, and counts against a limit on the address space (ulimit -v): with more
// threads, a mesh study would lose storage that fits with one. The threads allocate little
// besides the arrays, which large as they are come from mappings of their own, so sharing costs
// nothing.
void use_one_heap();

}  // namespace platform
