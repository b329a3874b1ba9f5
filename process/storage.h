#pragma once
// Storage for the arrays of the computation. Storage that cannot be had is refused with
// StorageUnavailable — also when the machine could only promise it and would later kill the
// process for touching it. `aleta` reports it as run-time error 6772; a mesh study marks the
// mesh that needed it.
#include <cstdint>

namespace process {

struct StorageUnavailable {};

// When the pages of new storage are put in place: as it is created, or just before the
// computation first writes to it. An array written only long after it is created (the exact
// temperatures, written after the solver has given back its work array) has its pages put in
// place then, so that they are not resident beside storage that is gone by the time they are
// needed.
enum class Pages { at_creation, before_first_write };

// `count` 8-byte reals, all zero. With Pages::before_first_write the storage is held in the
// budget as any other (a refusal comes here, at creation) and populate_reals puts its pages in
// place later.
double* create_reals(std::int64_t count, Pages pages = Pages::at_creation);

// Puts in place the pages of storage made with Pages::before_first_write. Where the system
// refuses them, the computation's own writes touch them one by one, as they did before pages
// were put in place at all: a refusal here is no error.
void populate_reals(double* reals, std::int64_t count);

// Grows storage made by create_reals or grow_reals from `old_count` to `new_count` reals
// (new_count >= old_count), keeping the first `old_count`. The values may move, also when the
// growth is refused: `reals` points to them after the call either way.
void grow_reals(double*& reals, std::int64_t old_count, std::int64_t new_count);

// Gives back storage made by create_reals or grow_reals.
void release_reals(double* reals, std::int64_t count);

}  // namespace process
