#pragma once
// The UTC system clock, and the lock that guards the elapsed-time origin.
#include <cstdint>

namespace platform {

// The current UTC time as a count of 100-ns intervals since 1 January 1601, at millisecond
// resolution (always a multiple of 10,000).
std::uint64_t utc_now_100ns();

// Creates the origin lock; called once at start-up, before any reading.
void create_clock_lock();
void lock_clock();
void unlock_clock();

}  // namespace platform
