// Opening units: names, blank names, devices, connections already made and the open errors.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "platform/console.h"
#include "process/command_line.h"
#include "process/termination.h"
#include "tests/support/child_process.h"
#include "tests/support/temp_dir.h"
#include "tests/textio/unit_test_support.h"

namespace textio {
namespace {

using testing::open_named;
using testing::unit_error;
using testing::write_record;
using testing_support::read_file;
using testing_support::run_in_child;
using testing_support::TempDir;

void say(const std::string& text) { platform::write_standard_output(text.data(), text.size()); }

const std::string kPrompt = "File name missing or blank - please enter file name\r\nUNIT 1? ";

TEST(UnitOpen, MissingFileIsCreatedEmptyAndStaysAfterEndOfFile) {
  TempDir dir;
  const std::string name = dir.file("entradas_uds.ent");
  auto r = run_in_child([&] {
    initialise_unit_layer();
    open_named(1, name);
    testing::next_byte_or_raise(*find_unit(1));
  });
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_EQ(r.err, unit_error("6501: READ", name, "end of file"));
  ASSERT_TRUE(testing_support::file_exists(name));
  EXPECT_EQ(read_file(name), "");
}

TEST(UnitOpen, BlanksAroundTheNameAndPaddingAreDropped) {
  TempDir dir;
  std::string padded = "   " + dir.file("saida.txt");
  padded.resize(300, ' ');
  auto r = run_in_child([&] {
    open_unit(platform::native_file_system(), 1, padded.data(), static_cast<int>(padded.size()));
    say(std::string(unit_file_name(*find_unit(1))));
    close_unit(1);
  });
  EXPECT_EQ(r.out, dir.file("saida.txt"));
  EXPECT_TRUE(testing_support::file_exists(dir.file("saida.txt")));
}

TEST(UnitOpen, NameIsCutAt259Bytes) {
  TempDir dir;
  const std::string folder = dir.file(std::string(100, 'd'));
  ASSERT_EQ(mkdir(folder.c_str(), 0777), 0);
  const std::string name = folder + "/" + std::string(300 - folder.size() - 1, 'f');
  const std::string cut = name.substr(0, 259);
  auto r = run_in_child([&] {
    open_named(1, name);
    close_unit(1);
  });
  EXPECT_EQ(r.exit_code, 0);
  EXPECT_TRUE(testing_support::file_exists(cut));

  // A single component of 259 bytes is too long for the system: a clear open error.
  const std::string too_long(300, 'x');
  r = run_in_child([&] { open_named(1, too_long); });
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_EQ(r.err, unit_error("6412: OPEN", std::string(259, 'x'),
                              "invalid file name or open request"));
}

TEST(UnitOpen, OpenErrorsNameTheFileAndTheReason) {
  TempDir dir;
  auto r = run_in_child([&] { open_named(1, dir.path()); });
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_EQ(r.err, unit_error("6414: OPEN", dir.path(), "access to file denied"));

  const std::string lost = dir.file("no/such/dir.txt");
  r = run_in_child([&] { open_named(1, "  " + lost); });
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_EQ(r.err, unit_error("6416: OPEN", lost, "file not found"));
}

TEST(UnitOpen, BlankNameTakesTheArgumentsInOrderThenAsks) {
  TempDir dir;
  const std::string first = dir.file("first.txt"), second = dir.file("second.txt");
  const std::string third = dir.file("third.txt");
  auto r = run_in_child(
      [&] {
        std::string a0 = "aleta", a1 = first, a2 = second;
        char* argv[] = {a0.data(), a1.data(), a2.data(), nullptr};
        process::keep_command_line(3, argv);
        const char nul_led[8] = {'\0', 'x', 'y'};
        for (const auto& [name, length] :
             {std::pair<const char*, int>{"   ", 3}, {nul_led, 8}, {"", 0}}) {
          open_unit(platform::native_file_system(), 1, name, length);
          say(std::string(unit_file_name(*find_unit(1))) + "|");
          close_unit(1);
        }
      },
      "\n  \r\n" + third + "\r\n");
  EXPECT_EQ(r.exit_code, 0) << r.err;
  EXPECT_EQ(r.out, first + "|" + second + "|" + kPrompt + kPrompt + kPrompt + third + "|");
}

TEST(UnitOpen, EndOfInputAtThePromptIsEndOfFile) {
  auto r = run_in_child([] { open_unit(platform::native_file_system(), 1, "", 0); }, "  \n");
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_EQ(r.out, kPrompt + kPrompt);
  EXPECT_EQ(r.err, "\r\nrun-time error F6501: OPEN()\r\n- end of file\r\n");
}

TEST(UnitOpen, FileConnectedToAnotherUnitIsRefused) {
  TempDir dir;
  const std::string name = dir.file("a.txt");
  auto r = run_in_child([&] {
    open_named(1, name);
    ASSERT_EQ(link(name.c_str(), dir.file("b.txt").c_str()), 0);
    open_named(2, dir.file("b.txt"));  // the same file under another name
  });
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_EQ(r.err, unit_error("6413: OPEN", dir.file("b.txt"),
                              "file already connected to another unit"));
}

TEST(UnitOpen, SameFileOnTheSameUnitKeepsTheConnection) {
  TempDir dir;
  const std::string a = dir.file("a.txt"), b = dir.file("b.txt");
  auto r = run_in_child([&] {
    open_named(1, a);
    write_record(1, "one");
    open_named(1, a);  // nothing changes: the buffered record stays
    write_record(1, "two");
    open_named(1, b);  // closes a.txt first
    write_record(1, "three");
    close_unit(1);
    close_unit(1);  // not connected any more: nothing happens
    close_unit(7);
  });
  EXPECT_EQ(r.exit_code, 0) << r.err;
  EXPECT_EQ(read_file(a), "one\r\ntwo\r\n");
  EXPECT_EQ(read_file(b), "three\r\n");
}

TEST(UnitOpen, SixtyOneUnitsFillTheTable) {
  TempDir dir;
  auto r = run_in_child([&] {
    for (int unit = 1; unit <= 61; ++unit) open_named(unit, dir.file(std::to_string(unit)));
    open_named(62, dir.file("62"));
  });
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_EQ(r.err, unit_error("6418: OPEN", dir.file("62"), "too many units connected"));
  EXPECT_TRUE(testing_support::file_exists(dir.file("61")));
  EXPECT_FALSE(testing_support::file_exists(dir.file("62")));
}

TEST(UnitOpen, ReservedNamesAreDevices) {
  TempDir dir;
  auto r = run_in_child([&] {
    ASSERT_EQ(chdir(dir.path().c_str()), 0);
    initialise_unit_layer();
    open_named(1, "con.txt");
    say(std::string(unit_file_name(*find_unit(1))) + "|");
    write_record(1, " plain");
    write_record(1, "0after an empty line");
    write_record(1, "1on a new page");
    write_record(1, "");
    close_unit(1);
    open_named(2, "Err");
    write_record(2, "+to the error stream");
    open_named(3, "NUL");
    write_record(3, " discarded");
    open_named(4, "err.txt");  // an ordinary file: E with an extension
    write_record(4, "file");
    open_named(5, "aux.dat");  // the first serial port, a file of that name here
    write_record(5, " port");
    open_named(6, "lpt1.txt");  // an ordinary file: L with an extension
    write_record(6, " printer");
    process::terminate_process(0);  // the end-of-run closing writes out the files
  });
  EXPECT_EQ(r.exit_code, 0);
  EXPECT_EQ(r.out, "CON|plain\r\n\r\nafter an empty line\r\n\fon a new page\r\n\r\n");
  EXPECT_EQ(r.err, "to the error stream\r\n");
  EXPECT_EQ(read_file(dir.file("err.txt")), "file\r\n");
  EXPECT_EQ(read_file(dir.file("COM1")), "port\r\n");
  EXPECT_EQ(read_file(dir.file("lpt1.txt")), " printer\r\n");
}

}  // namespace
}  // namespace textio
