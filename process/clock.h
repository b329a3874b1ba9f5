#pragma once
// Elapsed wall-clock time since a clock's first reading.
#include <cstdint>

namespace process {

class ElapsedTimeClock {
 public:
  // The first reading returns exactly 0.0 and sets the origin; later readings return the
  // seconds since that origin, read from the UTC system clock at millisecond resolution (a
  // clock set back between two readings gives a smaller, possibly negative, value).
  double elapsed_seconds();

 private:
  std::uint64_t origin_ = 0;  // 100-ns count of the first reading; 0 while unset
};

}  // namespace process
