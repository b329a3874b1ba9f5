#pragma once
// Storage for the arrays of the computation. Storage that cannot be had is refused with
// StorageUnavailable — also when the machine could only promise it and would later kill the
// process for touching it. `aleta` reports it as run-time error 6772; a mesh study marks the
// mesh that needed it.
#include <cstdint>

namespace process {

struct StorageUnavailable {};

// `count` 8-byte reals, all zero.
double* create_reals(std::int64_t count);

// Grows storage made by create_reals or grow_reals from `old_count` to `new_count` reals
// (new_count >= old_count), keeping the first `old_count`.
double* grow_reals(double* reals, std::int64_t old_count, std::int64_t new_count);

// Gives back storage made by create_reals or grow_reals.
void release_reals(double* reals, std::int64_t count);

}  // namespace process
