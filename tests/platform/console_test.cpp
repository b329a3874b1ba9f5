// Lines read from standard input for the file-name prompt.
#include "platform/console.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/child_process.h"

namespace platform {
namespace {

TEST(ReadStandardInputLine, TakesOneLineWithoutItsLineEnd) {
  const std::string input = "plain\n" "with cr\r\n" + std::string(261, 'x') + "\r\n" +
                            std::string(259, 'y') + "\r\n" "\n" "last";
  auto r = testing_support::run_in_child(
      [] {
        std::string line;
        while (read_standard_input_line(line, 260)) {
          line = "[" + line + "]";
          write_standard_output(line.data(), line.size());
        }
      },
      input);
  EXPECT_EQ(r.out, "[plain][with cr][" + std::string(260, 'x') + "][" + std::string(259, 'y') +
                       "][][last]");
}

}  // namespace
}  // namespace platform
