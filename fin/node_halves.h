#pragma once
// A loop over many nodes shared between two threads. The loops given to it compute each node from
// values the loop itself does not write, so its two halves may run at once, and every node goes
// through the same operations as in one loop: the values are bit for bit those of one loop.
//
// Arithmetic faults must still end a run (or be recorded) at the operation a single loop would
// meet first. Both halves therefore run with their faults held; a half that raised one is run
// again on the calling thread, from its start, as one loop would have run it: the first half and
// then the second where the first raised one, the second alone where only it did.
#include <cstdint>
#include <system_error>
#include <thread>

#include "process/held_fp_traps.h"

namespace fin {

// The fewest nodes a loop is split for: below, starting a thread costs more than half the loop
// saves. A loop that only writes a few values per node is bound by the memory, which the second
// core shares, and gains far less per node than one that calls sinh and cosh.
enum class NodeCost : std::int64_t {
  arithmetic = std::int64_t{1} << 17,
  memory = std::int64_t{1} << 21,
};

namespace detail {

// Runs body(first, last) with its faults held; true when it raised one that traps.
template <typename Body>
bool raises_fault(const Body& body, std::int64_t first, std::int64_t last) {
  const process::HeldFpTraps held;
  body(first, last);
  return held.invalid() || held.divided_by_zero() || held.overflowed();
}

// Joins the helper however the calling thread leaves its half.
struct JoinedAtExit {
  std::thread& helper;
  ~JoinedAtExit() { helper.join(); }
};

}  // namespace detail

// Calls body(first, last) so that every node of [first, last] is computed once, in two halves on
// two threads when `threads` allows two and the range is large for the cost of its nodes. A
// range with no thread to spare is one loop on the calling thread.
template <typename Body>
void for_nodes_in_halves(std::int64_t first, std::int64_t last, NodeCost cost, unsigned threads,
                         const Body& body) {
  if (threads < 2 || last - first + 1 < static_cast<std::int64_t>(cost)) {
    body(first, last);
    return;
  }
  const std::int64_t middle = first + (last - first + 1) / 2;
  bool upper_faulted = false;
  std::thread helper;
  try {
    helper = std::thread([&] { upper_faulted = detail::raises_fault(body, middle, last); });
  } catch (const std::system_error&) {
    body(first, last);
    return;
  }
  bool lower_faulted = false;
  {
    const detail::JoinedAtExit joined{helper};
    lower_faulted = detail::raises_fault(body, first, middle - 1);
  }
  if (lower_faulted) {
    body(first, last);
  } else if (upper_faulted) {
    body(middle, last);
  }
}

}  // namespace fin
