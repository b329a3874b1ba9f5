#include "process/run_time_error.h"

#include <gtest/gtest.h>

#include "platform/console.h"
#include "process/termination.h"
#include "tests/support/child_process.h"

namespace process {
namespace {

using testing_support::run_in_child;

TEST(RunTimeErrorMessage, UnitOperationNamesTheFile) {
  auto r = run_in_child([] { raise_run_time_error(kEndOfFile, Operation::Read, "entradas_geral.ent"); });
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "\r\nrun-time error F6501: READ(entradas_geral.ent)\r\n- end of file\r\n");
}

TEST(RunTimeErrorMessage, EachOperationHasItsWords) {
  EXPECT_EQ(compose_run_time_error(kFileNotFound, Operation::Open, "x.txt", "t"),
            "\r\nrun-time error F6416: OPEN(x.txt)\r\n- t\r\n");
  EXPECT_EQ(compose_run_time_error(kDiskFull, Operation::Write, "r.txt", "t"),
            "\r\nrun-time error F6422: WRITE(r.txt)\r\n- t\r\n");
  EXPECT_EQ(compose_run_time_error(kDiskFull, Operation::Close, "r.txt", "t"),
            "\r\nrun-time error F6422: CLOSE(r.txt)\r\n- t\r\n");
  EXPECT_EQ(compose_run_time_error(kAlreadyConnected, Operation::Unit, "r.txt", "t"),
            "\r\nrun-time error F6413: (r.txt)\r\n- t\r\n");
}

TEST(RunTimeErrorMessage, MathAndStorageHaveNoFileAndTheirOwnLetter) {
  EXPECT_EQ(compose_run_time_error(kFpDivideByZero, Operation::Unit, "", "floating-point error: divide by zero"),
            "\r\nrun-time error M6103: MATH\r\n- floating-point error: divide by zero\r\n");
  EXPECT_EQ(compose_run_time_error(kNoArrayStorage, Operation::Unit, "", "no memory"),
            "\r\nrun-time error F6772\r\n- no memory\r\n");
}

TEST(RunTimeErrorMessage, EmptyTextStillEndsTheMessage) {
  EXPECT_EQ(compose_run_time_error(kEndOfFile, Operation::Read, "a.ent", ""),
            "\r\nrun-time error F6501: READ(a.ent)\r\n\r\n");
  EXPECT_EQ(compose_run_time_error(kFpOverflow, Operation::Unit, "", ""),
            "\r\nrun-time error M6104: MATH\r\n- \r\n");
}

TEST(RunTimeErrorMessage, ErrorWhileClosingAtTheEndIsReportedOnce) {
  // An error during the end-of-run closing is reported but the termination under way keeps its
  // exit code, and the closing is not started a second time.
  static int closings = 0;
  auto r = run_in_child([] {
    run_end_of_run_closing([] {
      ++closings;
      raise_run_time_error(kDiskFull, Operation::Close, "r.txt");
    });
    run_end_of_run_closing([] { raise_run_time_error(kDiskFull, Operation::Close, "again.txt"); });
    if (closings == 1) _exit(0);
    _exit(3);
  });
  EXPECT_EQ(r.exit_code, 0);
  EXPECT_EQ(r.err, "\r\nrun-time error F6422: CLOSE(r.txt)\r\n- cannot write file: disk full\r\n");
}

}  // namespace
}  // namespace process

namespace process {
namespace {

TEST(Termination, HandlersRunLastFirstAndTheCodeIsKept) {
  auto r = testing_support::run_in_child([] {
    register_exit_handler([] { platform::write_standard_error("first\n", 6); });
    register_exit_handler([] { platform::write_standard_error("second\n", 7); });
    terminate_process(0);
  });
  EXPECT_EQ(r.exit_code, 0);
  EXPECT_EQ(r.err, "second\nfirst\n");
}

TEST(Termination, FailedClosingAfterASuccessfulRunIsNotASuccess) {
  auto r = testing_support::run_in_child([] {
    register_exit_handler([] {
      run_end_of_run_closing([] { raise_run_time_error(kDiskFull, Operation::Close, "r.txt"); });
    });
    terminate_process(0);
  });
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_EQ(r.err, "\r\nrun-time error F6422: CLOSE(r.txt)\r\n- cannot write file: disk full\r\n");
}

}  // namespace
}  // namespace process
