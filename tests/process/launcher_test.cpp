// The command launcher on this platform: the command through the shell, its exit code back.
#include "process/launcher.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <string>

#include "tests/support/child_process.h"
#include "tests/support/temp_dir.h"

namespace process {
namespace {

std::int32_t run(const std::string& command) {
  return run_command(command.data(), static_cast<std::int32_t>(command.size()));
}

TEST(RunCommand, ReturnsTheExitCodeOfTheShell) {
  EXPECT_EQ(run("exit 0"), 0);
  EXPECT_EQ(run("exit 3"), 3);
  EXPECT_EQ(run("exit 255"), 255);
  EXPECT_EQ(run("kill -9 $$"), 128 + 9);
  EXPECT_EQ(run("no-such-editor-here 2>/dev/null"), 127);
}

TEST(RunCommand, TrailingBlanksAreDroppedLeadingOnesKept) {
  EXPECT_EQ(run("   exit 4" + std::string(3000, ' ')), 4);
  EXPECT_EQ(run(""), 0);
  EXPECT_EQ(run(std::string(40, ' ')), 0);  // the shell with an empty command
}

TEST(RunCommand, CommandOfMoreThan1024BytesIsNotStarted) {
  testing_support::TempDir dir;
  const std::string marker = dir.file("ran");
  auto padded_to = [&](std::size_t length) {
    std::string command = "touch " + marker + " #";
    command.resize(length, 'x');
    return command;
  };
  errno = 0;
  EXPECT_EQ(run(padded_to(1025)), -1);
  EXPECT_EQ(errno, 7);
  EXPECT_FALSE(testing_support::file_exists(marker));

  EXPECT_EQ(run(padded_to(1024)), 0);
  EXPECT_TRUE(testing_support::file_exists(marker));
}

TEST(RunCommand, ShellSharesTheStandardStreamsAndWaits) {
  auto r = testing_support::run_in_child(
      [] {
        const std::int32_t status = run("read line; printf '%s|' \"$line\"; sleep 0.2; exit 9");
        if (status == 9) run("printf after");
      },
      "notepad saida.txt\n");
  EXPECT_EQ(r.out, "notepad saida.txt|after");
}

// The file reaches the program as one argument, exactly, whatever the shell would make of it.
TEST(RunProgramOn, FileIsOneArgumentUnchanged) {
  for (const std::string file : {"r.txt", "meu relat\xF3rio.txt", "a b'c\"$(exit 7)`x`;*"}) {
    const auto r = testing_support::run_in_child([&] { run_program_on("printf '%s|'", file); });
    EXPECT_EQ(r.out, file + "|");
  }
}

}  // namespace
}  // namespace process
