// The reader on real files opened as input files: line ends, 1024-byte block edges and the
// input files users write.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <variant>

#include "process/run_time_error.h"
#include "tests/support/temp_dir.h"
#include "textio/list_input.h"
#include "textio/list_reader.h"

namespace textio {
namespace {

using testing_support::TempDir;
using testing_support::read_file;
using testing_support::write_file;

InputFile open_input(const std::string& path) {
  return std::get<InputFile>(InputFile::open(platform::native_file_system(), path));
}

// One read operation of one item, as the program makes them: the message of its error, or
// nothing.
std::string read_item(InputFile& in, std::int32_t& value) {
  ListReader reader(in);
  ListReader::Result error = reader.read_integer_item(value);
  if (!error) error = reader.end_read();
  return error ? process::compose_run_time_error(*error) : "";
}
std::string read_item(InputFile& in, double& value) {
  ListReader reader(in);
  ListReader::Result error = reader.read_real_item(value);
  if (!error) error = reader.end_read();
  return error ? process::compose_run_time_error(*error) : "";
}

struct GeneralValues {
  std::array<char, 100> saida{};
  double reals[7] = {};
  std::int32_t N = 0, scheme = 0;
};

// Reads the ten values of a general input file as the program does: one read operation each.
GeneralValues read_general(const std::string& path) {
  GeneralValues v;
  InputFile in = open_input(path);
  {
    ListReader reader(in);
    EXPECT_FALSE(reader.read_character_item(v.saida.data(), 100).has_value());
    EXPECT_FALSE(reader.end_read().has_value());
  }
  for (double& real : v.reals) EXPECT_EQ(read_item(in, real), "");
  for (std::int32_t* integer : {&v.N, &v.scheme}) EXPECT_EQ(read_item(in, *integer), "");
  return v;
}

std::string padded(const std::string& name) { return name + std::string(100 - name.size(), ' '); }

void expect_worked_values(const GeneralValues& v) {
  EXPECT_EQ(std::string(v.saida.data(), 100), padded("relatorio.txt"));
  const double expected[7] = {100, 25, 10, 200, 1e-4, 0.04, 0.1};
  for (int i = 0; i < 7; ++i) EXPECT_EQ(v.reals[i], expected[i]) << "value " << i + 2;
  EXPECT_EQ(v.N, 3);
  EXPECT_EQ(v.scheme, 1);
}

// The worked input: Latin-1 comments after each value, no line end after the last one.
std::string worked_file(const std::string& line_end) {
  const char* lines[] = {"relatorio.txt   nome do arquivo de sa\xED" "da",
                         "100   Tb: temperatura da base [\xBA" "C]",
                         "25   Tinf: temperatura do fluido [\xBA" "C]",
                         "10   h: coeficiente de convec\xE7\xE3o [W/m2*K]",
                         "200   k: condutividade t\xE9rmica [W/m*K]",
                         "1e-4   Ab: \xE1rea da base da aleta [m2]",
                         "0.04   P: per\xEDmetro da base da aleta [m]",
                         "0.1   L: comprimento da aleta [m]",
                         "3   N: n\xFAmero de n\xF3s da malha",
                         "1   esquema: 1 = UDS, 2 = UDS-2"};
  std::string text;
  for (const char* line : lines) text += std::string(line) + line_end;
  return text.substr(0, text.size() - line_end.size());
}

TEST(ListReaderFiles, WorkedInputWithEitherLineEnd) {
  TempDir dir;
  for (const std::string& line_end : {std::string("\n"), std::string("\r\n")}) {
    for (bool final_line_end : {false, true}) {
      write_file(dir.file("g.ent"), worked_file(line_end) + (final_line_end ? line_end : ""));
      expect_worked_values(read_general(dir.file("g.ent")));
    }
  }
}

TEST(ListReaderFiles, ValuesAcrossBlockEdges) {
  // A comment on the first line pushes every later value across the 1024-byte edge in turn.
  TempDir dir;
  const std::string rest = worked_file("\r\n").substr(worked_file("\r\n").find("\r\n"));
  for (std::size_t comment = 980; comment <= 1030; ++comment) {
    write_file(dir.file("g.ent"), "relatorio.txt " + std::string(comment, 'c') + rest);
    expect_worked_values(read_general(dir.file("g.ent")));
  }
}

TEST(ListReaderFiles, LastLineWithoutLineEndAtBlockMultiples) {
  TempDir dir;
  for (std::size_t size : {1023u, 1024u, 1025u, 2048u, 3072u}) {
    // Blank lines, then "12345" ending exactly at `size` bytes.
    std::string text = std::string(size - 6, ' ') ;
    for (std::size_t i = 50; i < text.size(); i += 50) text[i] = '\n';
    text += "\n12345";
    ASSERT_EQ(text.size(), size);
    write_file(dir.file("n.ent"), text);
    const std::string name = dir.file("n.ent");
    InputFile in = open_input(name);
    std::int32_t value = 0;
    EXPECT_EQ(read_item(in, value), "");
    EXPECT_EQ(value, 12345) << "file of " << size << " bytes";
  }
}

TEST(ListReaderFiles, MissingValueEndsWithEndOfFileNamingTheFile) {
  TempDir dir;
  write_file(dir.file("u.ent"), "100\r\n1e-10\r\n");
  const std::string name = dir.file("u.ent");
  InputFile in = open_input(name);
  std::int32_t itmax = 0;
  double tol = 0, T0 = 0;
  EXPECT_EQ(read_item(in, itmax), "");
  EXPECT_EQ(read_item(in, tol), "");
  EXPECT_EQ(read_item(in, T0), "\r\nrun-time error F6501: READ(" + name + ")\r\n- end of file\r\n");
}

TEST(ListReaderFiles, ByteOrderMarkIsReportedWithTheValue) {
  // A file saved as UTF-8 with a byte-order mark: its three bytes begin the first value.
  TempDir dir;
  write_file(dir.file("u.ent"), "\xEF\xBB\xBF" "200   itmax\r\n1e-10\r\n25\r\n");
  const std::string name = dir.file("u.ent");
  InputFile in = open_input(name);
  std::int32_t itmax = 0;
  EXPECT_EQ(read_item(in, itmax),
            "\r\nrun-time error F6101: READ(" + name + ")\r\n- invalid integer: \"\xEF\xBB\xBF" "200\"\r\n");
}

TEST(ListReaderFiles, QuotedNameWithBlanksAndExponentForms) {
  TempDir dir;
  write_file(dir.file("g.ent"),
             "\r\n   \r\n'meu relat\xF3rio.txt'   nome\r\n1.0D2\r\n2.5e1\r\n\t10,\r\n2.0d+2 k\r\n"
             "1.0-4\r\n.04/\r\n1E-1\r\n+3\r\n 1\r\n");
  GeneralValues v = read_general(dir.file("g.ent"));
  EXPECT_EQ(std::string(v.saida.data(), 100), padded("meu relat\xF3rio.txt"));
  const double expected[7] = {100, 25, 10, 200, 1e-4, 0.04, 0.1};
  for (int i = 0; i < 7; ++i) EXPECT_EQ(v.reals[i], expected[i]) << "value " << i + 2;
  EXPECT_EQ(v.N, 3);
  EXPECT_EQ(v.scheme, 1);
}

}  // namespace
}  // namespace textio
