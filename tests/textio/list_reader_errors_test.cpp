// The run-time errors of reading, returned by the reader, byte for byte as a program reports
// them.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "process/run_time_error.h"
#include "tests/textio/memory_input.h"
#include "textio/list_input.h"
#include "textio/list_reader.h"

namespace textio {
namespace {

using testing_support::MemoryInput;

enum class Kind { Integer, Real, Character };

// The message of the first error of `operations` read operations of one item of `kind` each on
// `bytes`; empty when they all succeed.
std::string first_error(const std::string& bytes, Kind kind, int operations = 1,
                        const std::string& name = "entradas_geral.ent") {
  MemoryInput in(bytes, name);
  for (int i = 0; i < operations; ++i) {
    std::int32_t integer = 0;
    double real = 0;
    char text[100];
    ListReader reader(in);
    ListReader::Result error = kind == Kind::Integer ? reader.read_integer_item(integer)
                               : kind == Kind::Real  ? reader.read_real_item(real)
                                                     : reader.read_character_item(text, 100);
    if (!error) error = reader.end_read();
    if (error) return process::compose_run_time_error(*error);
  }
  return "";
}

TEST(ListReaderErrors, ValueErrorsNameTheValue) {
  struct Row {
    std::string record;
    Kind kind;
    std::string message;  // between "run-time error " and the final CR LF
  };
  const Row rows[] = {
      {"1.5;", Kind::Real, "F6103: READ(entradas_geral.ent)\r\n- invalid real: \"1.5;\""},
      {"1.5!comment", Kind::Real,
       "F6103: READ(entradas_geral.ent)\r\n- invalid real: \"1.5!comment\""},
      {"1.0Q-3 h", Kind::Real, "F6103: READ(entradas_geral.ent)\r\n- invalid real: \"1.0Q-3\""},
      {"1e309   L", Kind::Real,
       "F6102: READ(entradas_geral.ent)\r\n- real value out of range: \"1e309\""},
      {"25.0   N", Kind::Integer, "F6101: READ(entradas_geral.ent)\r\n- invalid integer: \"25.0\""},
      {"2147483648", Kind::Integer,
       "F6100: READ(entradas_geral.ent)\r\n- integer value out of range: \"2147483648\""},
      {"16#1#2", Kind::Integer,
       "F6302: READ(entradas_geral.ent)\r\n- more than one radix mark in an integer: \"16#1#2\""},
      {"37#1", Kind::Integer,
       "F6303: READ(entradas_geral.ent)\r\n- radix out of range 2 to 36: \"37#1\""},
      {"0*2.5", Kind::Real, "F6502: READ(entradas_geral.ent)\r\n- repeat count of zero: \"0*\""},
      {"2*3*4", Kind::Integer,
       "F6503: READ(entradas_geral.ent)\r\n- more than one repeat count in a value: \"3*\""},
      {"x*4", Kind::Integer, "F6101: READ(entradas_geral.ent)\r\n- invalid integer: \"x*\""},
      {"'10'", Kind::Integer,
       "F6504: READ(entradas_geral.ent)\r\n- quoted or parenthesised value for a number: \"'10'\""},
      {"(1, 0)", Kind::Real,
       "F6504: READ(entradas_geral.ent)\r\n- quoted or parenthesised value for a number: \"(1,0)\""},
      // A file saved with a byte-order mark: its three bytes begin the first value.
      {"\xEF\xBB\xBF" "100   itmax", Kind::Integer,
       "F6101: READ(entradas_geral.ent)\r\n- invalid integer: \"\xEF\xBB\xBF" "100\""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.record);
    EXPECT_EQ(first_error(row.record + "\r\n", row.kind),
              "\r\nrun-time error " + row.message + "\r\n");
  }
}

TEST(ListReaderErrors, EndOfFile) {
  const std::string message =
      "\r\nrun-time error F6501: READ(entradas_uds.ent)\r\n- end of file\r\n";
  EXPECT_EQ(first_error("", Kind::Real, 1, "entradas_uds.ent"), message);
  EXPECT_EQ(first_error("\n  \r\n\t\n", Kind::Integer, 1, "entradas_uds.ent"), message);
  EXPECT_EQ(first_error("'meu relatorio", Kind::Character, 1, "entradas_uds.ent"), message);
  EXPECT_EQ(first_error("1\n2", Kind::Integer, 3, "entradas_uds.ent"), message);
  EXPECT_EQ(first_error("1\n2", Kind::Integer, 2, "entradas_uds.ent"), "");
}

}  // namespace
}  // namespace textio
