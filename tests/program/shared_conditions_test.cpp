// The program in conditions other processes set: standard streams its starter closed, another
// run writing the same report at the same time.
#include <gtest/gtest.h>

#include <algorithm>
#include <thread>

#include "tests/program/program_run.h"

namespace testing_support {
namespace {

const std::string kWorkedUds2 = std::string(ALETA_SOURCE_DIR) + "/tests/data/worked_uds2/";

std::string without_time(const std::string& report) { return split_time(report).without_time; }

TEST(ProgramConditions, ClosedErrorStreamLeavesTheInputFileUntouched) {
  // The value "abc" cannot be read: the message goes to a closed stream and is lost. Without
  // a stream opened in its place, the input file would take descriptor 2 and the message.
  for (const ProgramRun::Program program : {ProgramRun::Program::Aleta, ProgramRun::Program::Malhas}) {
    ProgramRun run;
    const std::string input = "r.txt\r\nabc\r\n";
    run.put("entradas_geral.ent", input);
    const ChildResult r = run.run({}, "", {"/bin/sh", "-c", "exec \"$@\" 2>&-", "sh"}, program);
    EXPECT_EQ(r.exit_code, 1);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(run.get("entradas_geral.ent"), input);
  }
}

TEST(ProgramConditions, TwoRunsWritingOneReportLeaveOneWholeReport) {
  // A table of a million iterations (87 MB, written over about half a second) and a short report
  // whose run, busy with a mesh of a million nodes, starts writing while the other still is.
  ProgramRun long_run;
  long_run.put("entradas_geral.ent", read_file(kWorkedUds2 + "entradas_geral.ent"));
  long_run.put("entradas_uds.ent", "1000000\r\n0\r\n25\r\n");
  const std::string root = long_run.directory().substr(0, long_run.directory().rfind('/'));
  const std::string shared = "../../" + root.substr(root.rfind('/') + 1) + "/work/relatorio.txt";
  ProgramRun short_run;
  short_run.put("entradas_geral.ent",
                general_input("'" + shared + "'", {"100", "25", "10", "200", "1e-4", "0.04",
                                                    "0.1", "1000000", "1"}));
  // What each run leaves when it runs alone.
  ASSERT_EQ(long_run.run().exit_code, 0);
  const std::string long_report = without_time(long_run.get("relatorio.txt"));
  ASSERT_EQ(short_run.run().exit_code, 0);
  const std::string short_report = without_time(long_run.get("relatorio.txt"));

  ChildResult long_result;
  std::thread long_thread([&] { long_result = long_run.run(); });
  const ChildResult short_result = short_run.run();
  long_thread.join();
  EXPECT_EQ(long_result.exit_code, 0) << long_result.err;
  EXPECT_EQ(short_result.exit_code, 0) << short_result.err;
  const std::string left = without_time(long_run.get("relatorio.txt"));
  EXPECT_TRUE(left == short_report || left == long_report)
      << left.size() << " bytes, of which " << std::count(left.begin(), left.end(), '\0')
      << " NUL";
}

}  // namespace
}  // namespace testing_support
