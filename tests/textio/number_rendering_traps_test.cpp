// Rendering infinities and NaNs under the run's floating-point traps: the writer must show any
// value it is given, and merely looking at a signalling NaN must not end the run.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/fp_control.h"
#include "tests/support/child_process.h"
#include "textio/number_rendering.h"

namespace textio {
namespace {

double from_bits(std::uint64_t bits) {
  double value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

TEST(NonFiniteUnderTraps, EveryKindIsRenderedWithoutAFault) {
  const testing_support::ChildResult r = testing_support::run_in_child([] {
    platform::enable_fp_traps();
    std::string fields, field;
    for (std::uint64_t bits : {0x7FF0000000000001u, 0xFFF4000000000000u, 0x7FF8000000000000u,
                               0xFFF8000000000000u, 0xFFF0000000000000u}) {
      render_exponent_field(from_bits(bits), 25, 15, 1, field);
      fields += field + "|";
      render_fixed_field(from_bits(bits), 15, 3, 0, field);
      fields += field + "\n";
    }
    std::fputs(fields.c_str(), stdout);
    std::fflush(stdout);
  });
  EXPECT_EQ(r.exit_code, 0);  // a trapped fault would end the child by its signal
  EXPECT_EQ(r.out,
            "1#SNAN...................|1#SNAN.........\n"
            "1#SNAN...................|1#SNAN.........\n"
            "1#QNAN...................|1#QNAN.........\n"
            "1#IND....................|1#IND..........\n"
            "1#INF....................|1#INF..........\n");
}

}  // namespace
}  // namespace textio
