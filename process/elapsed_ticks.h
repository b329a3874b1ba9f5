#pragma once
#include <cstdint>

namespace process {

// floor(now / 2) - floor(origin / 2): the 200-ns units between two 100-ns counts, formed from
// their 32-bit halves (the high difference taken as a signed 32-bit value) so that a clock set
// back gives a negative count.
inline std::int64_t ticks_of_200ns_between(std::uint64_t origin, std::uint64_t now) {
  const std::int64_t high = static_cast<std::int32_t>(static_cast<std::uint32_t>(now >> 32) -
                                                      static_cast<std::uint32_t>(origin >> 32));
  const std::int64_t low = static_cast<std::int64_t>(static_cast<std::uint32_t>(now) >> 1) -
                           static_cast<std::int64_t>(static_cast<std::uint32_t>(origin) >> 1);
  return high * (std::int64_t{1} << 31) + low;
}

}  // namespace process
