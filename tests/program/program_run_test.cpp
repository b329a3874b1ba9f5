// The comparison of a Windows program's report with a reference: the fields computed from sinh
// and cosh may differ in their last bits, every other byte must be equal.
#include "tests/program/program_run.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace testing_support {
namespace {

const std::string kReference =
    read_file(std::string(ALETA_SOURCE_DIR) + "/tests/data/worked_uds/relatorio.txt.expected");

// Runs the comparison as for the Windows program.
class AcceptingLibraryDifferences : public ::testing::Test {
 protected:
  void SetUp() override { setenv("ALETA_TEST_RUNNER", "wine", 1); }
  void TearDown() override { unsetenv("ALETA_TEST_RUNNER"); }

  // The reference with `from` replaced by `to` (which must occur once).
  static std::string changed(const std::string& from, const std::string& to) {
    std::string report = kReference;
    const std::size_t at = report.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    EXPECT_EQ(report.find(from, at + 1), std::string::npos) << from;
    return report.replace(at, from.size(), to);
  }
  static bool accepted(const std::string& report) {
    return accepting_library_differences(report, kReference) == kReference;
  }
};

// Fields of the worked case: the tip row holds x, T, Ta = 9.276009421089164E+01 (columns 51 to
// 75) and Ta - T; the analytical rate qa = 2.876308135547406E+00 is in columns 45 to 69.
std::size_t tip_row() { return kReference.find("\r\n", kReference.find("    Posi\xE7\xE3o")) + 2; }
std::size_t analytical_rate_field() { return kReference.find("(anal\xEDtica):") - 31 + 44; }

void bump_last_digit(std::string& report, std::size_t field) {
  char& digit = report[field + 20];
  digit = static_cast<char>(digit == '9' ? '8' : digit + 1);
}

TEST_F(AcceptingLibraryDifferences, LastDigitsOfTheHyperbolicFieldsAreAccepted) {
  const std::size_t tip = tip_row();
  const std::string row = kReference.substr(tip, kReference.find("\r\n", tip) - tip);
  const std::string ta = row.substr(50, 25);
  const std::string error = row.substr(75, 25);
  // One unit of the sixteenth digit of Ta, three ulps of Ta in its error.
  std::string ta_up = ta;
  bump_last_digit(ta_up, 0);
  const double shifted = std::strtod(error.c_str(), nullptr) + 3 * std::ldexp(92.76, -52);
  char error_up[32];
  std::snprintf(error_up, sizeof error_up, "%25.15E", shifted);
  EXPECT_TRUE(accepted(changed(row, row.substr(0, 50) + ta_up + error_up)));

  std::string report = kReference;
  bump_last_digit(report, analytical_rate_field());
  EXPECT_TRUE(accepted(report));
}

TEST_F(AcceptingLibraryDifferences, LargerDifferencesAndOtherFieldsAreNot) {
  const std::size_t tip = tip_row();
  const std::string row = kReference.substr(tip, kReference.find("\r\n", tip) - tip);
  std::string far = row;  // the thirteenth digit of Ta
  bump_last_digit(far, 50 - 3);
  EXPECT_FALSE(accepted(changed(row, far)));

  std::string numerical = row;  // the numerical temperature does not depend on sinh or cosh
  bump_last_digit(numerical, 25);
  EXPECT_FALSE(accepted(changed(row, numerical)));

  std::string other_form = row;  // the same value in another layout
  other_form.replace(50, 25, "   0.9276009421089164E+02");
  EXPECT_FALSE(accepted(changed(row, other_form)));
}

TEST(AcceptingLibraryDifferencesNatively, EveryByteCounts) {
  std::string report = kReference;
  bump_last_digit(report, analytical_rate_field());
  EXPECT_EQ(accepting_library_differences(report, kReference), report);
}

}  // namespace
}  // namespace testing_support
