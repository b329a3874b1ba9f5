// The run-time errors of reading, byte for byte as the user sees them.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "tests/support/child_process.h"
#include "tests/textio/memory_input.h"
#include "textio/list_input.h"
#include "textio/list_reader.h"

namespace textio {
namespace {

using testing_support::MemoryInput;
using testing_support::run_in_child;

enum class Kind { Integer, Real, Character };

// Reads one item of `kind` from `bytes` in a child process; `operations` read operations.
testing_support::ChildResult read_in_child(const std::string& bytes, Kind kind,
                                           int operations = 1,
                                           const std::string& name = "entradas_geral.ent") {
  return run_in_child([&] {
    MemoryInput in(bytes, name);
    for (int i = 0; i < operations; ++i) {
      std::int32_t integer = 0;
      double real = 0;
      char text[100];
      begin_list_read(in);
      if (kind == Kind::Integer) read_integer_item(integer);
      if (kind == Kind::Real) read_real_item(real);
      if (kind == Kind::Character) read_character_item(text, 100);
      end_read();
    }
  });
}

void expect_failure(const testing_support::ChildResult& result, const std::string& message) {
  EXPECT_EQ(result.exit_code, 1);
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(result.err, message);
}

TEST(ListReaderErrors, InvalidReal) {
  for (const char* text : {"1.5;", "1.5!comment", "1.0Q-3"}) {
    expect_failure(read_in_child(std::string(text) + "\n", Kind::Real),
                   "\r\nrun-time error F6103: READ(entradas_geral.ent)\r\n- invalid real: \"" +
                       std::string(text) + "\"\r\n");
  }
}

TEST(ListReaderErrors, RealTooLarge) {
  expect_failure(read_in_child("1e309   L\n", Kind::Real),
                 "\r\nrun-time error F6102: READ(entradas_geral.ent)\r\n"
                 "- real value out of range: \"1e309\"\r\n");
}

TEST(ListReaderErrors, IntegerErrors) {
  expect_failure(read_in_child("25.0   N\n", Kind::Integer),
                 "\r\nrun-time error F6101: READ(entradas_geral.ent)\r\n"
                 "- invalid integer: \"25.0\"\r\n");
  expect_failure(read_in_child("2147483648\n", Kind::Integer),
                 "\r\nrun-time error F6100: READ(entradas_geral.ent)\r\n"
                 "- integer value out of range: \"2147483648\"\r\n");
  expect_failure(read_in_child("16#1#2\n", Kind::Integer),
                 "\r\nrun-time error F6302: READ(entradas_geral.ent)\r\n"
                 "- more than one radix mark in an integer: \"16#1#2\"\r\n");
  expect_failure(read_in_child("37#1\n", Kind::Integer),
                 "\r\nrun-time error F6303: READ(entradas_geral.ent)\r\n"
                 "- radix out of range 2 to 36: \"37#1\"\r\n");
}

TEST(ListReaderErrors, ByteOrderMarkNamesTheValue) {
  expect_failure(read_in_child("\xEF\xBB\xBF" "100   itmax\n", Kind::Integer, 1, "entradas_uds.ent"),
                 "\r\nrun-time error F6101: READ(entradas_uds.ent)\r\n"
                 "- invalid integer: \"\xEF\xBB\xBF" "100\"\r\n");
}

TEST(ListReaderErrors, RepeatCounts) {
  expect_failure(read_in_child("0*2.5\n", Kind::Real),
                 "\r\nrun-time error F6502: READ(entradas_geral.ent)\r\n"
                 "- repeat count of zero: \"0*\"\r\n");
  expect_failure(read_in_child("2*3*4\n", Kind::Integer),
                 "\r\nrun-time error F6503: READ(entradas_geral.ent)\r\n"
                 "- more than one repeat count in a value: \"3*\"\r\n");
  expect_failure(read_in_child("x*4\n", Kind::Integer),
                 "\r\nrun-time error F6101: READ(entradas_geral.ent)\r\n"
                 "- invalid integer: \"x*\"\r\n");
}

TEST(ListReaderErrors, DelimitedNumber) {
  expect_failure(read_in_child("'10'\n", Kind::Integer),
                 "\r\nrun-time error F6504: READ(entradas_geral.ent)\r\n"
                 "- quoted or parenthesised value for a number: \"'10'\"\r\n");
  expect_failure(read_in_child("(1, 0)\n", Kind::Real),
                 "\r\nrun-time error F6504: READ(entradas_geral.ent)\r\n"
                 "- quoted or parenthesised value for a number: \"(1,0)\"\r\n");
}

TEST(ListReaderErrors, EndOfFile) {
  const std::string message =
      "\r\nrun-time error F6501: READ(entradas_geral.ent)\r\n- end of file\r\n";
  expect_failure(read_in_child("", Kind::Real), message);
  expect_failure(read_in_child("\n  \r\n\t\n", Kind::Integer), message);
  expect_failure(read_in_child("'meu relatorio", Kind::Character), message);
  expect_failure(read_in_child("1\n2", Kind::Integer, 3), message);
  EXPECT_EQ(read_in_child("1\n2", Kind::Integer, 2).exit_code, 0);
}

}  // namespace
}  // namespace textio
