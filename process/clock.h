#pragma once
// Elapsed wall-clock time since the first reading.

namespace process {

// The first call returns exactly 0.0 and sets the origin; later calls return the seconds since
// that origin, read from the UTC system clock at millisecond resolution (a clock set back
// between two readings gives a smaller, possibly negative, value).
double elapsed_seconds();

}  // namespace process
