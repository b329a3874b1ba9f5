// A shell that cannot be started: -1, and the reason for it.
#include "platform/posix/shell.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>

#include "tests/support/temp_dir.h"

namespace platform::posix {
namespace {

using testing_support::TempDir;
using testing_support::write_file;

TEST(RunShell, FailedStartGivesMinusOneAndTheReason) {
  TempDir dir;
  errno = 0;
  EXPECT_EQ(run_shell(dir.file("missing/sh").c_str(), "exit 0"), -1);
  EXPECT_EQ(errno, 2);

  const std::string garbage = dir.file("garbage");
  write_file(garbage, std::string(64, '\x7f'));
  ASSERT_EQ(chmod(garbage.c_str(), 0755), 0);
  errno = 0;
  EXPECT_EQ(run_shell(garbage.c_str(), "exit 0"), -1);
  EXPECT_EQ(errno, 8);

  errno = 0;
  EXPECT_EQ(run_shell(dir.path().c_str(), "exit 0"), -1);  // a directory: permission denied
  EXPECT_EQ(errno, 12);
}

}  // namespace
}  // namespace platform::posix
