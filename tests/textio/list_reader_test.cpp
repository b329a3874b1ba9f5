#include "textio/list_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "process/run_time_error.h"
#include "textio/list_input.h"
#include "tests/textio/memory_input.h"

namespace textio {
namespace {

using testing_support::MemoryInput;

// Every read of these tests ends without an error.
void expect_read(const ListReader::Result& result) {
  EXPECT_FALSE(result.has_value()) << process::compose_run_time_error(*result);
}

// One read operation of one item each, as the program makes them; `initial` shows null values.
double read_real(MemoryInput& in, double initial = -1.0) {
  ListReader reader(in);
  expect_read(reader.read_real_item(initial));
  expect_read(reader.end_read());
  return initial;
}

std::int32_t read_integer(MemoryInput& in, std::int32_t initial = -1) {
  ListReader reader(in);
  expect_read(reader.read_integer_item(initial));
  expect_read(reader.end_read());
  return initial;
}

std::string read_text(MemoryInput& in, int length = 100) {
  std::string text(static_cast<std::size_t>(length), '#');
  ListReader reader(in);
  expect_read(reader.read_character_item(text.data(), length));
  expect_read(reader.end_read());
  return text;
}

std::string padded(const std::string& text, std::size_t length = 100) {
  return text + std::string(length - text.size(), ' ');
}

TEST(ListReader, ValueThenCommentThenNextLine) {
  MemoryInput in("1.5   Tb: temperatura da base\n1.5,comment\n1.5/comment\n25\n+7\n16#1F\n"
                 "-2147483648\n1.0D-3\n1.0e-3   tol\n1.0-3\n");
  for (int i = 0; i < 3; ++i) EXPECT_EQ(read_real(in), 1.5);
  EXPECT_EQ(read_real(in), 25.0);
  EXPECT_EQ(read_integer(in), 7);
  EXPECT_EQ(read_integer(in), 31);
  EXPECT_EQ(read_integer(in), INT32_MIN);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(read_real(in), 0.001);
  EXPECT_EQ(in.rest(), "");
}

TEST(ListReader, NullValuesKeepTheItem) {
  MemoryInput in(",\n/\n3*\n  , 5\n''\n1*\n9\n");
  EXPECT_EQ(read_real(in, 4.0), 4.0);
  EXPECT_EQ(read_integer(in, 4), 4);
  EXPECT_EQ(read_integer(in, 4), 4);
  EXPECT_EQ(read_integer(in, 4), 4);
  EXPECT_EQ(read_text(in), std::string(100, '#'));
  EXPECT_EQ(read_integer(in, 4), 9);  // after 1* the line end is skipped like a blank
}

TEST(ListReader, BareRepeatCountAtLineEndConsumesTheLine) {
  MemoryInput in("3*\n7\n3*2.5\n8\n");
  EXPECT_EQ(read_integer(in, 4), 4);
  EXPECT_EQ(read_integer(in), 7);
  EXPECT_EQ(read_real(in), 2.5);
  EXPECT_EQ(read_integer(in), 8);
}

TEST(ListReader, CharacterValues) {
  MemoryInput in("'meu relatorio.txt'\nmeu relatorio.txt\n'it''s'\n\"say \"\"hi\"\"\"\n"
                 "(a b,c) d\na(b)'c'\nrelatorio.txt    nome do arquivo de sa\xED" "da\n'x'y\n");
  EXPECT_EQ(read_text(in), padded("meu relatorio.txt"));
  EXPECT_EQ(read_text(in), padded("meu"));
  EXPECT_EQ(read_text(in), padded("it's"));
  EXPECT_EQ(read_text(in), padded("say \"hi\""));
  EXPECT_EQ(read_text(in), padded("ab,c"));
  EXPECT_EQ(read_text(in), padded("a(b)'c'"));
  EXPECT_EQ(read_text(in), padded("relatorio.txt"));
  EXPECT_EQ(read_text(in, 3), "x  ");
  EXPECT_EQ(in.rest(), "");
}

TEST(ListReader, LongValuesAreCut) {
  const std::string long_text(120, 'q');
  MemoryInput in("'" + long_text + "'\n" + std::string(300, 'u') + " x\n1" +
                 std::string(299, '0') + "\n7");
  EXPECT_EQ(read_text(in), long_text.substr(0, 100));
  EXPECT_EQ(read_text(in), std::string(100, 'u'));
  // Only the first 259 characters of an undelimited value are converted.
  EXPECT_EQ(read_real(in), 1e258);
  EXPECT_EQ(read_integer(in), 7);
}

TEST(ListReader, ByteOrderMarkIsPartOfTheFirstValue) {
  MemoryInput in("\xEF\xBB\xBF'meu relatorio.txt'\n");
  EXPECT_EQ(read_text(in), padded("\xEF\xBB\xBF'meu"));
}

// The general input file of the worked example, with the given line end and last line end.
std::string example_file(const std::string& line_end, const std::string& last_end) {
  return "relatorio.txt    nome do arquivo de sa\xED" "da" + line_end +
         "100    Tb: temperatura da base [\xBA" "C]" + line_end + "\t25, Tinf" + line_end +
         line_end + "   " + line_end + "1.0D1    h" + line_end + "200 , k" + line_end +
         "1e-4\tAb" + line_end + "0.04/ P" + line_end + "0.1" + line_end + "3    N" + line_end +
         "1" + last_end;
}

TEST(ListReader, LineEndsGiveTheSameValues) {
  for (const std::string line_end : {"\n", "\r\n"}) {
    for (const std::string& last_end : {line_end, std::string()}) {
      MemoryInput in(example_file(line_end, last_end));
      EXPECT_EQ(read_text(in), padded("relatorio.txt"));
      for (double expected : {100.0, 25.0, 10.0, 200.0, 1e-4, 0.04, 0.1}) {
        EXPECT_EQ(read_real(in), expected);
      }
      EXPECT_EQ(read_integer(in), 3);
      EXPECT_EQ(read_integer(in), 1);
      EXPECT_EQ(in.rest(), "");
    }
  }
}

TEST(ListReader, QuotedValueGoesOnAfterTheFirstByteOfTheNextLine) {
  MemoryInput in("'abc\nXdef' z\n'gh\r\nYij'\r\n5\n");
  EXPECT_EQ(read_text(in), padded("abcdef"));
  EXPECT_EQ(read_text(in), padded("ghij"));
  EXPECT_EQ(read_integer(in), 5);
}

TEST(ListReader, CarriageReturnEndsTheRecordThroughItsLineFeed) {
  MemoryInput in("1.5\r2.5\n3.5\n");
  EXPECT_EQ(read_real(in), 1.5);
  EXPECT_EQ(read_real(in), 3.5);
}

TEST(ListReader, CtrlZEndsAnInteger) {
  MemoryInput in("42\x1A\n-3\x1Ajunk\n");
  EXPECT_EQ(read_integer(in), 42);
  EXPECT_EQ(read_integer(in), -3);
}

TEST(ListReader, UnterminatedLastLineOfAnyLength) {
  for (std::size_t length : {1u, 259u, 260u, 1023u, 1024u, 1025u, 2048u}) {
    MemoryInput in("8\n" + std::string(length, 'w'));
    EXPECT_EQ(read_integer(in), 8);
    EXPECT_EQ(read_text(in), std::string(std::min<std::size_t>(length, 100), 'w') +
                                 std::string(100 - std::min<std::size_t>(length, 100), ' '));
  }
}

// Several items in one read operation show how separators, repeat counts and the slash work
// between values.
TEST(ListReader, SeveralItemsInOneOperation) {
  MemoryInput in("1 , 2\n1 ,, 3\n2*5 9\n3*/\n1.5/ 9\n2*'xy' 'z'\n");
  std::int32_t a = -1, b = -1, c = -1;
  auto read_three = [&] {
    a = b = c = -1;
    ListReader reader(in);
    expect_read(reader.read_integer_item(a));
    expect_read(reader.read_integer_item(b));
    expect_read(reader.read_integer_item(c));
    expect_read(reader.end_read());
  };
  {
    ListReader reader(in);
    expect_read(reader.read_integer_item(a));
    expect_read(reader.read_integer_item(b));
    expect_read(reader.end_read());
  }
  EXPECT_EQ(a, 1);
  EXPECT_EQ(b, 2);
  read_three();
  EXPECT_EQ(std::vector<std::int32_t>({a, b, c}), std::vector<std::int32_t>({1, -1, 3}));
  read_three();
  EXPECT_EQ(std::vector<std::int32_t>({a, b, c}), std::vector<std::int32_t>({5, 5, 9}));
  read_three();
  EXPECT_EQ(std::vector<std::int32_t>({a, b, c}), std::vector<std::int32_t>({-1, -1, -1}));
  double x = -1.0, y = -1.0;
  {
    ListReader reader(in);
    expect_read(reader.read_real_item(x));
    expect_read(reader.read_real_item(y));
    expect_read(reader.end_read());
  }
  EXPECT_EQ(x, 1.5);
  EXPECT_EQ(y, -1.0);
  char t[3][2];
  {
    ListReader reader(in);
    for (auto& item : t) expect_read(reader.read_character_item(item, 2));
    expect_read(reader.end_read());
  }
  EXPECT_EQ(std::string(t[0], 2) + std::string(t[1], 2) + std::string(t[2], 2), "xyxyz ");
  EXPECT_EQ(in.rest(), "");
}

}  // namespace
}  // namespace textio
