#include "textio/integer_conversion.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace textio {
namespace {

struct Row {
  std::string text;
  std::int32_t value;
  int error;
};

void expect_rows(const std::initializer_list<Row>& rows) {
  for (const Row& row : rows) {
    const auto result = convert_integer(row.text);
    EXPECT_EQ(result.error != nullptr ? result.error->number : 0, row.error) << row.text;
    if (row.error == 0) {
      EXPECT_EQ(result.value, row.value) << row.text;
    }
  }
}

TEST(IntegerConversion, DecimalWithSign) {
  expect_rows({{"0", 0, 0}, {"+7", 7, 0}, {"-7", -7, 0}, {"007", 7, 0},
               {"2147483647", INT32_MAX, 0}, {"-2147483647", -INT32_MAX, 0},
               {"-2147483648", INT32_MIN, 0}, {"+", 0, 0}, {"-", 0, 0}});
}

TEST(IntegerConversion, DecimalOutOfRangeOrInvalid) {
  expect_rows({{"2147483648", 0, 6100}, {"+2147483648", 0, 6100}, {"-2147483649", 0, 6100},
               {"-02147483648", 0, 6100},  // only the exact text reaches the lowest value
               {"99999999999x", 0, 6100},  // the overflow comes before the letter
               {"x99999999999", 0, 6101}, {"25.0", 0, 6101}, {"1e3", 0, 6101},
               {"12abc", 0, 6101}, {"1-2", 0, 6101}, {"--5", 0, 6101}, {" 5", 0, 6101}});
}

TEST(IntegerConversion, CtrlZEndsTheText) {
  expect_rows({{"42\x1A", 42, 0}, {"42\x1Ajunk", 42, 0}, {"\x1A" "5", 0, 0},
               {"-2147483648\x1Ax", INT32_MIN, 0}});
}

TEST(IntegerConversion, Radix) {
  expect_rows({{"16#1F", 31, 0}, {"16#1f", 31, 0}, {"#FF", 255, 0}, {"0#ff", 255, 0},
               {"-#1", -1, 0}, {"+2#101", 5, 0}, {"8#777", 511, 0}, {"36#zZ", 35 * 36 + 35, 0},
               {"16#", 0, 0}, {"10#2147483647", INT32_MAX, 0},
               // Radixes other than 10 fill all 32 bits, taken as two's complement.
               {"16#FFFFFFFF", -1, 0}, {"2#11111111111111111111111111111111", -1, 0},
               {"16#80000000", INT32_MIN, 0}, {"-16#80000000", INT32_MIN, 0},
               {"-16#FFFFFFFF", 1, 0}});
}

TEST(IntegerConversion, RadixErrors) {
  expect_rows({{"16#100000000", 0, 6100}, {"10#2147483648", 0, 6100},
               {"99999999999#1", 0, 6100}, {"1#0", 0, 6303}, {"37#0", 0, 6303},
               {"16#1#2", 0, 6302}, {"16##", 0, 6302}, {"16#G", 0, 6101}, {"16#G#", 0, 6101},
               {"2#102", 0, 6101}, {"8#8", 0, 6101}, {"16#-1", 0, 6101}});
}

}  // namespace
}  // namespace textio
