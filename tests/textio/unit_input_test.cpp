// Input on a unit: blocks of the file, the LF that completes an unterminated last record, and
// the ends of input.
#include <gtest/gtest.h>

#include <string>

#include "platform/console.h"
#include "tests/support/child_process.h"
#include "tests/support/temp_dir.h"
#include "tests/textio/unit_test_support.h"

namespace textio {
namespace {

using testing::FaultyFileSystem;
using testing::next_byte_or_raise;
using testing::skip_record;
using testing::open_named;
using testing::unit_error;
using testing_support::run_in_child;
using testing_support::TempDir;
using testing_support::write_file;

// Lines of 99 letters and an LF, cut to `length` bytes.
std::string lines_of_length(std::size_t length) {
  std::string text;
  while (text.size() < length) text += (text.size() % 100 == 99) ? '\n' : char('a' + text.size() % 26);
  return text;
}

// Every byte the unit delivers, on standard output, until the end of the file ends the child.
testing_support::ChildResult deliver_all(const std::string& name) {
  return run_in_child([&] {
    open_named(1, name);
    for (;;) {
      const char byte = static_cast<char>(next_byte_or_raise(*find_unit(1)));
      platform::write_standard_output(&byte, 1);
    }
  });
}

TEST(UnitInput, UnterminatedLastRecordGetsAnLfAtAnyLength) {
  TempDir dir;
  for (std::size_t length : {1u, 1023u, 1024u, 1025u, 2048u}) {
    const std::string text = lines_of_length(length);
    ASSERT_NE(text.back(), '\n');
    write_file(dir.file("in.ent"), text);
    auto r = deliver_all(dir.file("in.ent"));
    EXPECT_EQ(r.out, text + "\n") << "length " << length;
    EXPECT_EQ(r.err, unit_error("6501: READ", dir.file("in.ent"), "end of file"));
    EXPECT_EQ(r.exit_code, 1);
  }
}

TEST(UnitInput, TerminatedFilesAndCrLfComeAsTheyAre) {
  TempDir dir;
  for (const std::string& text :
       {std::string(1023, 'x') + "\n", std::string(2047, 'y') + "\n", std::string("a\r\nb\r\n\x1a")}) {
    write_file(dir.file("in.ent"), text);
    auto r = deliver_all(dir.file("in.ent"));
    EXPECT_EQ(r.out, text.back() == '\n' ? text : text + "\n");
  }
  write_file(dir.file("empty.ent"), "");
  EXPECT_EQ(deliver_all(dir.file("empty.ent")).out, "");
}

TEST(UnitInput, SkipTakesTheRestOfTheRecordThroughItsLf) {
  TempDir dir;
  write_file(dir.file("in.ent"), "10  comment\r\n\n" + std::string(1500, ' ') + "7\nlast");
  auto r = run_in_child([&] {
    open_named(1, dir.file("in.ent"));
    UnitRecord& unit = *find_unit(1);
    std::string seen(1, static_cast<char>(next_byte_or_raise(unit)));
    skip_record(unit);
    skip_record(unit);
    skip_record(unit);
    seen += static_cast<char>(next_byte_or_raise(unit));
    skip_record(unit);  // "ast" and the LF that completes it
    platform::write_standard_output(seen.data(), seen.size());
    skip_record(unit);
  });
  EXPECT_EQ(r.out, "1l");
  EXPECT_EQ(r.err, unit_error("6501: READ", dir.file("in.ent"), "end of file"));
}

TEST(UnitInput, ReadFailureOfTheSystemIsError6500) {
  TempDir dir;
  write_file(dir.file("in.ent"), "1\n");
  auto r = run_in_child([&] {
    FaultyFileSystem files;
    files.read_error = platform::FileError::Other;
    next_byte_or_raise(open_named(1, dir.file("in.ent"), files));
  });
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_EQ(r.err, unit_error("6500: READ", dir.file("in.ent"), "read error reported by the system"));
}

}  // namespace
}  // namespace textio
