// Output on a unit: replacing an existing file, the buffer's writes, and what a failure leaves.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "process/termination.h"
#include "tests/support/child_process.h"
#include "tests/support/temp_dir.h"
#include "tests/textio/unit_test_support.h"

namespace textio {
namespace {

using testing::FaultyFileSystem;
using testing::open_named;
using testing::read_bytes;
using testing::unit_error;
using testing::write_record;
using testing_support::read_file;
using testing_support::run_in_child;
using testing_support::TempDir;
using testing_support::write_file;

const std::string kDiskFull = "cannot write file: disk full";
const std::string kDenied = "cannot write file: access denied or file locked";

// 100 records of 38 bytes and CR LF: 4000 bytes, so the buffer is written three times when
// full and once by the close.
std::string record(int i) { return "record " + std::to_string(1000 + i) + std::string(27, '.'); }
std::string all_records() {
  std::string text;
  for (int i = 0; i < 100; ++i) text += record(i) + "\r\n";
  return text;
}
void write_all_records(int unit) {
  for (int i = 0; i < 100; ++i) write_record(unit, record(i));
}

// The first write cuts an existing file where reading has left it: at its beginning right after
// the open, so that a longer old file is replaced whole.
TEST(UnitOutput, FirstWriteCutsTheFileWhereReadingLeftIt) {
  struct Case {
    std::string old_text;
    int records_read;
    std::string expected;
  };
  for (const Case& c : {Case{std::string(5000, 'o'), 0, " T = 1\r\n\r\n"},
                        Case{"line1\nline2\nline3\n", 1, "line1\n T = 1\r\n\r\n"}}) {
    TempDir dir;
    const std::string name = dir.file("saida.txt");
    write_file(name, c.old_text);
    auto r = run_in_child([&] {
      open_named(1, name);
      for (int i = 0; i < c.records_read; ++i) testing::skip_record(*find_unit(1));
      write_record(1, " T = 1");
      write_record(1, "");
      close_unit(1);
    });
    EXPECT_EQ(r.exit_code, 0);
    EXPECT_EQ(read_file(name), c.expected);
  }
}

TEST(UnitOutput, ManyBufferfulsArriveWhole) {
  TempDir dir;
  auto r = run_in_child([&] {
    open_named(1, dir.file("long.txt"));
    write_all_records(1);
    close_unit(1);
  });
  EXPECT_EQ(r.exit_code, 0);
  EXPECT_EQ(read_file(dir.file("long.txt")), all_records());
}

TEST(UnitOutput, FullDeviceIsError6422) {
  auto r = run_in_child([] {
    initialise_unit_layer();
    open_named(1, "/dev/full");
    write_record(1, "short");
    close_unit(1);
  });
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_EQ(r.err, unit_error("6422: CLOSE", "/dev/full", kDiskFull));

  r = run_in_child([] {
    initialise_unit_layer();
    open_named(1, "/dev/full");
    write_all_records(1);
  });
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_EQ(r.err, unit_error("6422: WRITE", "/dev/full", kDiskFull));  // reported once
}

// Fails the first write, then the second, and so on: each run reports one error and leaves in
// the file exactly the bufferfuls written before it.
TEST(UnitOutput, FailedWriteLeavesWhatWasWrittenBefore) {
  TempDir dir;
  const std::string name = dir.file("saida.txt");
  const std::string expected = all_records();
  for (int failing = 1; failing <= 5; ++failing) {
    auto r = run_in_child([&] {
      FaultyFileSystem files;
      files.failing_write = failing;
      initialise_unit_layer();
      open_named(1, name, files);
      write_all_records(1);
      close_unit(1);
      process::terminate_process(0);
    });
    const bool fails = failing <= 4;
    EXPECT_EQ(r.exit_code, fails ? 1 : 0) << failing;
    EXPECT_EQ(r.err, !fails ? "" : unit_error(failing == 4 ? "6422: CLOSE" : "6422: WRITE", name, kDiskFull));
    EXPECT_EQ(read_file(name), expected.substr(0, fails ? (failing - 1) * 1024 : std::string::npos));
  }
}

TEST(UnitOutput, UnclosedUnitIsWrittenOutAtTheEndOfTheRun) {
  TempDir dir;
  auto r = run_in_child([&] {
    initialise_unit_layer();
    open_named(1, dir.file("a.txt"));
    open_named(2, dir.file("b.txt"));
    write_record(1, "kept");
    write_record(2, "kept too");
    process::terminate_process(0);
  });
  EXPECT_EQ(r.exit_code, 0);
  EXPECT_EQ(read_file(dir.file("a.txt")), "kept\r\n");
  EXPECT_EQ(read_file(dir.file("b.txt")), "kept too\r\n");
}

// Opened for reading only, as a read-only file is for a user who is not root: the cut at the
// first write is refused, or, for an empty file, the first output that reaches it.
TEST(UnitOutput, ReadOnlyFileIsError6421) {
  TempDir dir;
  const std::string name = dir.file("protegido.txt");
  write_file(name, "old report\r\n");
  auto r = run_in_child([&] {
    FaultyFileSystem files;
    files.refuse_read_write_open = true;
    initialise_unit_layer();
    open_named(1, name, files);
    write_record(1, "new");
  });
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_EQ(r.err, unit_error("6421: WRITE", name, kDenied));
  EXPECT_EQ(read_file(name), "old report\r\n");

  write_file(name, "");
  r = run_in_child([&] {
    FaultyFileSystem files;
    files.refuse_read_write_open = true;
    open_named(1, name, files);
    write_record(1, "new");
    close_unit(1);
  });
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_EQ(r.err, unit_error("6421: CLOSE", name, kDenied));
}

TEST(UnitOutput, ReadOnlyFileOnDiskIsError6421) {
  if (geteuid() == 0) GTEST_SKIP() << "root may write to any file";
  TempDir dir;
  const std::string name = dir.file("protegido.txt");
  write_file(name, "old report\r\n");
  ASSERT_EQ(chmod(name.c_str(), 0444), 0);
  auto r = run_in_child([&] {
    open_named(1, name);
    write_record(1, "new");
  });
  EXPECT_EQ(r.err, unit_error("6421: WRITE", name, kDenied));
}

TEST(UnitOutput, ReadingAfterWritingWritesOutFirst) {
  TempDir dir;
  const std::string name = dir.file("new.txt");
  auto r = run_in_child([&] {
    open_named(1, name);
    write_record(1, "written");
    read_bytes(1, 1);
  });
  EXPECT_EQ(r.err, unit_error("6501: READ", name, "end of file"));
  EXPECT_EQ(read_file(name), "written\r\n");
}

}  // namespace
}  // namespace textio
