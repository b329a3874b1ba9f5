// The E25.15 and F15.3 fields of named edge values: zeros, subnormals and the extremes, the
// three-digit exponents, halves of the third decimal, the widest fixed fields and the values
// that tell the two-step rounding from a single one. The expected fields were derived by the
// exact reference of tests/support, and the test checks that it still derives them.
#include <gtest/gtest.h>

#include <string>

#include "tests/support/reference_fields.h"
#include "textio/number_rendering.h"

namespace textio {
namespace {

struct EdgeValue {
  const char* name;
  double value;
  const char* exponent_field;  // 1P,E25.15
  const char* fixed_field;     // F15.3
};

const EdgeValue kEdgeValues[] = {
    {"zero", 0x0p+0, "    0.000000000000000E+00", "           .000"},
    {"negative zero", -0x0p+0, "    0.000000000000000E+00", "           .000"},
    {"one tenth", 0x1.999999999999ap-4, "    1.000000000000000E-01", "           .100"},
    {"two roundings", 0x1.a5d6eaa0faf48p+1, "    3.295621231654796E+00", "          3.296"},
    {"smallest subnormal", 0x0.0000000000001p-1022, "    4.940656458412465-324", "           .000"},
    {"largest subnormal", 0x0.fffffffffffffp-1022, "    2.225073858507201-308", "           .000"},
    {"smallest normal", 0x1p-1022, "    2.225073858507201-308", "           .000"},
    {"largest double", 0x1.fffffffffffffp+1023, "    1.797693134862316+308", "***************"},
    {"below one", 0x1.fffffffffffffp-1, "    9.999999999999999E-01", "          1.000"},
    {"just below ten", 0x1.3ffffffffffffp+3, "    9.999999999999998E+00", "         10.000"},
    {"exponent 99", 0x1.d42aea2879f2ep+328, "    1.000000000000000E+99", "***************"},
    {"exponent 100", 0x1.249ad2594c37dp+332, "    1.000000000000000+100", "***************"},
    {"exponent -100", 0x1.bff2ee48e053p-333, "    1.000000000000000-100", "           .000"},
    {"half of .001", 0x1.0624dd2f1a9fcp-11, "    5.000000000000000E-04", "           .001"},
    {"-half of .001", -0x1.0624dd2f1a9fcp-11, "   -5.000000000000000E-04", "          -.001"},
    {"widest fixed field", 0x1.74876e7ffffbep+36, "    9.999999999999899E+10", "99999999999.999"},
    {"fixed carry", 0x1.2a05f1ffffefap+33, "    9.999999999999500E+09", "10000000000.000"},
    {"fixed too wide", 0x1.74876e8p+36, "    1.000000000000000E+11", "***************"},
    {"worked tip", 0x1.730a562306a25p+6, "    9.276009421089164E+01", "         92.760"},
};

TEST(RenderingEdgeValues, FieldsAreThoseOfTheExactExpansion) {
  std::string exponent_field, fixed_field;
  for (const EdgeValue& edge : kEdgeValues) {
    render_exponent_field(edge.value, 25, 15, 1, exponent_field);
    render_fixed_field(edge.value, 15, 3, 0, fixed_field);
    EXPECT_EQ(exponent_field, edge.exponent_field) << edge.name;
    EXPECT_EQ(fixed_field, edge.fixed_field) << edge.name;
    const testing_support::ExactDecimal s = testing_support::seventeen_digits(edge.value);
    EXPECT_EQ(testing_support::expected_exponent_field(edge.value, s), edge.exponent_field)
        << "reference, " << edge.name;
    EXPECT_EQ(testing_support::expected_fixed_field(edge.value, s), edge.fixed_field)
        << "reference, " << edge.name;
  }
}

}  // namespace
}  // namespace textio
