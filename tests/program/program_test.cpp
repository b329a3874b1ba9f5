// The program as a user meets it: input files in a directory, a report and an exit code.
#include <gtest/gtest.h>

#include <regex>
#include <utility>

#include "tests/program/program_run.h"

namespace testing_support {
namespace {

const std::string kData = std::string(ALETA_SOURCE_DIR) + "/tests/data/";

// The worked fin of the reference reports, with its report name and scheme.
std::string worked_input(const std::string& saida, const std::string& scheme, const std::string& N = "3") {
  return general_input(saida, {"100", "25", "10", "200", "1e-4", "0.04", "0.1", N, scheme});
}

void expect_report_like_reference(const std::string& report, const std::string& reference) {
  const SplitReport got = split_time(report);
  const SplitReport want = split_time(reference);
  EXPECT_EQ(accepting_library_differences(got.without_time, want.without_time), want.without_time);
  // A run of the tiny worked case takes well under a second.
  EXPECT_TRUE(std::regex_match(got.time_field, std::regex(" {11}\\.\\d{3}"))) << got.time_field;
}

TEST(Program, WorkedUdsCaseWritesTheReferenceReport) {
  ProgramRun run;
  run.put("entradas_geral.ent", read_file(kData + "worked_uds/entradas_geral.ent"));
  const ChildResult r = run.run();
  EXPECT_EQ(r.exit_code, 0);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "");
  expect_report_like_reference(run.get("relatorio.txt"),
                               read_file(kData + "worked_uds/relatorio.txt.expected"));
  EXPECT_FALSE(run.exists("entradas_uds.ent")) << "UDS needs no iteration input";
  const std::vector<std::vector<std::string>> editor{{"entradas_geral.ent"}, {"relatorio.txt"}};
  EXPECT_EQ(run.editor_calls(), editor);
}

TEST(Program, WorkedUds2CaseWritesTheReferenceReport) {
  ProgramRun run;
  run.put("entradas_geral.ent", read_file(kData + "worked_uds2/entradas_geral.ent"));
  run.put("entradas_uds.ent", read_file(kData + "worked_uds2/entradas_uds.ent"));
  const ChildResult r = run.run();
  EXPECT_EQ(r.exit_code, 0);
  EXPECT_EQ(r.out + r.err, "");
  expect_report_like_reference(run.get("relatorio.txt"),
                               read_file(kData + "worked_uds2/relatorio.txt.expected"));
  const std::vector<std::vector<std::string>> editor{
      {"entradas_geral.ent"}, {"entradas_uds.ent"}, {"relatorio.txt"}};
  EXPECT_EQ(run.editor_calls(), editor);
}

TEST(Program, NoIterationsReportsOnlyTheInitialRow) {
  ProgramRun run;
  run.put("entradas_geral.ent", worked_input("r.txt", "2"));
  run.put("entradas_uds.ent", "0\r\n1e-10\r\n25\r\n");
  ASSERT_EQ(run.run().exit_code, 0);
  const std::string report = run.get("r.txt");
  const std::string heading = "  itera\xE7\xE3o    L1(it)/L1(0)";
  const std::string row0 =
      "         0    1.000000000000000E+00    1.000000000000000E+00    1.000000000000000E+00\r\n";
  const std::size_t table = report.find(heading);
  ASSERT_NE(table, std::string::npos);
  const std::size_t row_at = report.find("\r\n", table) + 2;
  EXPECT_EQ(report.substr(row_at, row0.size() + 4), row0 + "\r\n\r\n");
  EXPECT_NE(report.find("         0                    = it:"), std::string::npos);
  // T stays at T0 = 25 everywhere.
  EXPECT_NE(report.find("    1.000000000000000E-01    2.500000000000000E+01"), std::string::npos);
}

TEST(Program, ReportNameReachesTheEditorAsOneArgument) {
  ProgramRun run;
  // Special characters of the platform's interpreter: the POSIX shell's, or cmd.exe's (a
  // Windows file name cannot hold " < > |).
  const std::string name =
      ProgramRun::windows_program()
          ? "meu relat\xF3rio; & mkdir hacked & mkdir hacked2 (y) 'x' %PATH% ^ z.txt"
          : "meu relat\xF3rio; touch hacked $(touch hacked2) 'x' \"y\" & z.txt";
  const std::string quoted = "'  " + std::regex_replace(name, std::regex("'"), "''") + "'";
  run.put("entradas_geral.ent", worked_input(quoted, "1"));
  const ChildResult r = run.run();
  EXPECT_EQ(r.exit_code, 0);
  EXPECT_EQ(r.err, "");
  EXPECT_TRUE(run.exists(name));
  EXPECT_FALSE(run.exists("hacked"));
  EXPECT_FALSE(run.exists("hacked2"));
  ASSERT_EQ(run.editor_calls().size(), 2u);
  EXPECT_EQ(run.editor_calls()[1], std::vector<std::string>{name});
}

TEST(Program, LongerExistingReportIsReplaced) {
  ProgramRun run;
  run.put("entradas_geral.ent", read_file(kData + "worked_uds/entradas_geral.ent"));
  run.put("relatorio.txt", std::string(100000, 'x'));
  ASSERT_EQ(run.run().exit_code, 0);
  expect_report_like_reference(run.get("relatorio.txt"),
                               read_file(kData + "worked_uds/relatorio.txt.expected"));
}

struct Failure {
  const char* name;
  std::string input;
  std::string stderr_bytes;
};

class ProgramFailure : public ::testing::TestWithParam<Failure> {};

TEST_P(ProgramFailure, EndsWithItsMessageAndNoReport) {
  ProgramRun run;
  run.put("entradas_geral.ent", GetParam().input);
  const ChildResult r = run.run();
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, GetParam().stderr_bytes);
  EXPECT_FALSE(run.exists("r.txt"));
}

const std::string kDivideByZero =
    "\r\nrun-time error M6103: MATH\r\n- floating-point error: divide by zero\r\n";
const std::string kInvalid = "\r\nrun-time error M6101: MATH\r\n- floating-point error: invalid\r\n";

INSTANTIATE_TEST_SUITE_P(
    Program, ProgramFailure,
    ::testing::Values(
        Failure{"TwoNodes", worked_input("r.txt", "1", "2"),
                "\r\nrun-time error F6100: READ(entradas_geral.ent)\r\n- N = 2 out of range: the "
                "number of mesh nodes must be from 3 to 2147483647\r\n"},
        Failure{"NoNodes", worked_input("r.txt", "1", "-4"),
                "\r\nrun-time error F6100: READ(entradas_geral.ent)\r\n- N = -4 out of range: the "
                "number of mesh nodes must be from 3 to 2147483647\r\n"},
        Failure{"OneNode", worked_input("r.txt", "1", "1"), kDivideByZero},
        Failure{"OneNodeNoLength",
                general_input("r.txt", {"100", "25", "10", "200", "1e-4", "0.04", "0", "1", "1"}),
                kInvalid},
        Failure{"NoConvection",
                general_input("r.txt", {"100", "25", "0", "200", "1e-4", "0.04", "0.1", "3", "1"}),
                kInvalid},
        // dx = 0 and T(2) = T(1): the first-order gradient is 0/0.
        Failure{"NoLength",
                general_input("r.txt", {"100", "25", "10", "200", "1e-4", "0.04", "0", "3", "1"}),
                kInvalid},
        Failure{"NoConductivity",
                general_input("r.txt", {"100", "25", "10", "0", "1e-4", "0.04", "0.1", "3", "1"}),
                kDivideByZero},
        Failure{"MissingValue", "r.txt\r\n100\r\n25\r\n",
                "\r\nrun-time error F6501: READ(entradas_geral.ent)\r\n- end of file\r\n"}),
    [](const ::testing::TestParamInfo<Failure>& info) { return std::string(info.param.name); });

TEST(Program, MissingInputFileIsCreatedEmptyAndEndsTheRun) {
  ProgramRun run;
  const ChildResult r = run.run();
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_EQ(r.err, "\r\nrun-time error F6501: READ(entradas_geral.ent)\r\n- end of file\r\n");
  EXPECT_TRUE(run.exists("entradas_geral.ent"));
  EXPECT_EQ(run.get("entradas_geral.ent"), "");
}

TEST(Program, TipSchemeOtherThanOneOrTwoIsRejectedBeforeAnyArray) {
  // The largest mesh would end for want of memory once its arrays were asked for; a null value
  // (a lone comma) leaves the scheme at 0.
  const std::pair<std::string, std::string> cases[] = {{"3", "3"}, {"0", "0"}, {",", "0"}};
  for (const auto& [value, shown] : cases) {
    ProgramRun run;
    run.put("entradas_geral.ent", worked_input("r.txt", value, "2147483647"));
    const ChildResult r = run.run();
    EXPECT_EQ(r.exit_code, 1) << value;
    EXPECT_EQ(r.err, "\r\nrun-time error F6100: READ(entradas_geral.ent)\r\n- scheme = " + shown +
                         " out of range: the tip scheme must be 1 or 2\r\n");
    EXPECT_FALSE(run.exists("r.txt")) << value;
    const std::vector<std::vector<std::string>> editor{{"entradas_geral.ent"}};
    EXPECT_EQ(run.editor_calls(), editor) << value;
  }
}

TEST(Program, NegativeItmaxIsRejectedAfterTheIterationInput) {
  ProgramRun run;
  run.put("entradas_geral.ent", worked_input("r.txt", "2"));
  run.put("entradas_uds.ent", "-1\r\n1e-10\r\n25\r\n");
  const ChildResult r = run.run();
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_EQ(r.err,
            "\r\nrun-time error F6100: READ(entradas_uds.ent)\r\n- itmax = -1 out of range: the "
            "maximum number of iterations must be from 0 to 2147483647\r\n");
  EXPECT_FALSE(run.exists("r.txt"));
}

TEST(Program, InitialFieldThatSolvesEverythingEndsAtTheFirstStoppingTest) {
  // h = 0 and T0 = Tb: the uniform field satisfies every row exactly, so L1(1)/L1(0) is 0/0.
  ProgramRun run;
  run.put("entradas_geral.ent",
          general_input("r.txt", {"100", "25", "0", "200", "1e-4", "0.04", "0.1", "3", "2"}));
  run.put("entradas_uds.ent", "10\r\n1e-10\r\n100\r\n");
  const ChildResult r = run.run();
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_EQ(r.err, kInvalid);
  EXPECT_FALSE(run.exists("r.txt"));
}

TEST(Program, BlankReportNameIsTakenFromTheCommandLine) {
  ProgramRun run;
  run.put("entradas_geral.ent", worked_input(",", "1"));  // null value: saida stays blank
  const ChildResult r = run.run({"from_argument.txt"});
  EXPECT_EQ(r.exit_code, 0);
  EXPECT_EQ(r.out, "");
  EXPECT_TRUE(run.exists("from_argument.txt"));
  EXPECT_EQ(run.editor_calls().back(), std::vector<std::string>{"from_argument.txt"});
}

TEST(Program, BlankReportNameIsAskedForOnTheConsole) {
  ProgramRun run;
  run.put("entradas_geral.ent", worked_input("''", "1"));
  const ChildResult r = run.run({}, "\n  typed.txt  \n");
  EXPECT_EQ(r.exit_code, 0);
  const std::string prompt = "File name missing or blank - please enter file name\r\nUNIT 1? ";
  EXPECT_EQ(r.out, prompt + prompt);
  EXPECT_TRUE(run.exists("typed.txt"));
}

}  // namespace
}  // namespace testing_support
