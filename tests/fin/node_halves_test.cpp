#include "fin/node_halves.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "process/first_fp_fault.h"

namespace fin {
namespace {

// Every node of the range is computed, and none outside it, whether the range is split or not.
constexpr auto kSplitFrom = static_cast<std::int64_t>(NodeCost::arithmetic);

TEST(NodeHalves, ComputesEachNodeOfTheRange) {
  for (const std::int64_t last : {std::int64_t{9}, kSplitFrom + 1, kSplitFrom + 2}) {
    std::vector<int> computed(static_cast<std::size_t>(last + 2), 0);
    for_nodes_in_halves(2, last, NodeCost::arithmetic, 2, [&](std::int64_t first, std::int64_t end) {
      for (std::int64_t i = first; i <= end; ++i) computed[static_cast<std::size_t>(i)] += 1;
    });
    std::vector<int> expected(computed.size(), 1);
    expected[0] = expected[1] = expected[static_cast<std::size_t>(last + 1)] = 0;
    EXPECT_EQ(computed, expected) << last;
  }
}

// A loop whose node `invalid_at` makes 0/0 and whose node `divide_at` makes 1/0: the fault
// recorded is the one a single loop meets first, whichever half holds it.
std::optional<platform::FpFault> first_fault(std::int64_t invalid_at, std::int64_t divide_at) {
  const std::int64_t N = 2 * kSplitFrom;
  std::vector<double> values(static_cast<std::size_t>(N + 1), 0.0);
  process::FirstFpFault faults;
  for_nodes_in_halves(1, N, NodeCost::arithmetic, 2, [&](std::int64_t first, std::int64_t last) {
    for (std::int64_t i = first; i <= last; ++i) {
      volatile double zero = 0.0;
      const double numerator = i == invalid_at ? 0.0 : 1.0;
      values[static_cast<std::size_t>(i)] = i == invalid_at || i == divide_at ? numerator / zero : i;
    }
  });
  EXPECT_EQ(values[static_cast<std::size_t>(N)], static_cast<double>(N));
  return faults.first();
}

TEST(NodeHalves, FirstFaultIsThatOfOneLoop) {
  const std::int64_t upper = 2 * kSplitFrom - 5;
  EXPECT_EQ(first_fault(10, upper), platform::FpFault::Invalid);
  EXPECT_EQ(first_fault(upper, 10), platform::FpFault::DivideByZero);
  EXPECT_EQ(first_fault(upper, upper + 1), platform::FpFault::Invalid);
  EXPECT_EQ(first_fault(upper + 1, upper), platform::FpFault::DivideByZero);
  EXPECT_EQ(first_fault(-1, -1), std::nullopt);
}

}  // namespace
}  // namespace fin
