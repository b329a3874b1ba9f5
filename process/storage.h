#pragma once
// Storage for the arrays of the computation. Storage that cannot be had is refused with
// StorageUnavailable — also when the machine could only promise it and would later kill the
// process for touching it. `aleta` reports it as run-time error 6772; a mesh study marks the
// mesh that needed it.
#include <cstddef>
#include <cstdint>

namespace process {

struct StorageUnavailable {};

// When the pages of new storage are put in place: as it is created, or later, by one of the
// populate functions below. Storage made for later is held in the budget as any other (a
// refusal of the budget comes at creation).
enum class Pages { at_creation, later };

// `count` 8-byte reals, all zero. Pages put in place now take at most `threads` threads at once
// (1: the calling thread alone), as do those of every function below.
double* create_reals(std::int64_t count, Pages pages, unsigned threads);

struct Reals {
  double* reals;
  std::int64_t count;
};

// Puts in place together the pages of `count` arrays made with Pages::later that the computation
// writes next, on two threads where `threads` allows them (throws StorageUnavailable when the
// system refuses them).
void populate_reals_together(const Reals* arrays, std::size_t count, unsigned threads);

// Puts in place the pages of an array made with Pages::later and first written long after its
// creation. A refusal is no error: the computation's writes touch the pages one by one, as they
// did before pages were put in place at all, and the run goes on as it did then.
void populate_reals(double* reals, std::int64_t count, unsigned threads);

// Grows storage made by create_reals or grow_reals from `old_count` to `new_count` reals
// (new_count >= old_count), keeping the first `old_count`. The values may move, also when the
// growth is refused: `reals` points to them after the call either way.
void grow_reals(double*& reals, std::int64_t old_count, std::int64_t new_count, unsigned threads);

// Gives back storage made by create_reals or grow_reals.
void release_reals(double* reals, std::int64_t count);

}  // namespace process
