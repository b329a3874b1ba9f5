// The program in conditions other processes set: standard streams its starter closed, another
// run writing the same report at the same time.
#include <gtest/gtest.h>

#include "tests/program/program_run.h"

namespace testing_support {
namespace {

TEST(ProgramConditions, ClosedErrorStreamLeavesTheInputFileUntouched) {
  // The value "abc" cannot be read: the message goes to a closed stream and is lost. Without
  // a stream opened in its place, the input file would take descriptor 2 and the message.
  ProgramRun run;
  const std::string input = "r.txt\r\nabc\r\n";
  run.put("entradas_geral.ent", input);
  const ChildResult r = run.run({}, "", {"/bin/sh", "-c", "exec \"$@\" 2>&-", "sh"});
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(run.get("entradas_geral.ent"), input);
}

}  // namespace
}  // namespace testing_support
