// Reading a case: its values, or the run-time error a program reports for them, returned to the
// caller with the process left running and no unit of the process connected or disturbed.
#include "fin/entradas.h"

#include <gtest/gtest.h>

#include <string>
#include <variant>

#include "fin/tip_scheme.h"
#include "process/run_time_error.h"
#include "tests/support/forwarding_file_system.h"
#include "tests/support/temp_dir.h"
#include "textio/unit_close.h"
#include "textio/unit_open.h"
#include "textio/unit_table.h"

namespace fin {
namespace {

using testing_support::TempDir;

// The operating system's files, with every name taken inside one directory.
class FilesIn : public testing_support::ForwardingFileSystem {
 public:
  explicit FilesIn(const TempDir& dir) : dir_(dir) {}
  bool status(const std::string& name, platform::FileStatus& status) override {
    return native().status(dir_.file(name), status);
  }
  using ForwardingFileSystem::status;
  platform::FileError open(const std::string& name, platform::OpenMode mode,
                           platform::FileAccess access, platform::FileHandle& handle) override {
    return native().open(dir_.file(name), mode, access, handle);
  }

 private:
  const TempDir& dir_;
};

// The message of the error of a reading, as a program reports it; empty when it has none.
template <typename Value>
std::string message_of(const process::ValueOrError<Value>& read) {
  const auto* error = std::get_if<process::RunTimeErrorReport>(&read);
  return error ? process::compose_run_time_error(*error) : "";
}

std::string general_file(const std::string& N, const std::string& scheme) {
  return "'meu relatorio.txt'  nome\r\n100\r\n25\r\n10\r\n200\r\n1e-4\r\n0.04\r\n0.1\r\n" + N +
         "  N\r\n" + scheme + "\r\n";
}

TEST(CaseInput, GeneralFileGivesTheCaseAndTheReportNameApart) {
  TempDir dir;
  FilesIn files(dir);
  testing_support::write_file(dir.file("entradas_geral.ent"), general_file("21", "2"));
  const auto read = read_general_input(files);
  ASSERT_EQ(message_of(read), "");
  const GeneralInputFile& file = std::get<GeneralInputFile>(read);
  EXPECT_EQ(std::string(file.report_name.data(), 100),
            "meu relatorio.txt" + std::string(100 - 17, ' '));
  const GeneralInput& in = file.input;
  EXPECT_EQ(in.Tb, 100);
  EXPECT_EQ(in.Tinf, 25);
  EXPECT_EQ(in.h, 10);
  EXPECT_EQ(in.k, 200);
  EXPECT_EQ(in.Ab, 1e-4);
  EXPECT_EQ(in.P, 0.04);
  EXPECT_EQ(in.L, 0.1);
  EXPECT_EQ(in.N, 21);
  EXPECT_EQ(scheme_name(in.scheme), "UDS-2");
}

TEST(CaseInput, ValuesThatCannotBeTakenComeBackAsTheirErrors) {
  const std::string frame = "\r\nrun-time error F";
  struct Row {
    std::string general;
    std::string message;
  };
  const Row rows[] = {
      {general_file("21", "1").replace(general_file("21", "1").find("\r\n25"), 4, "\r\n25x"),
       "6103: READ(entradas_geral.ent)\r\n- invalid real: \"25x\""},
      {general_file("2", "1"),
       "6100: READ(entradas_geral.ent)\r\n- N = 2 out of range: the number of mesh nodes must "
       "be from 3 to 2147483647"},
      {general_file("0", "1"),
       "6100: READ(entradas_geral.ent)\r\n- N = 0 out of range: the number of mesh nodes must "
       "be from 3 to 2147483647"},
      {general_file("21", "3"),
       "6100: READ(entradas_geral.ent)\r\n- scheme = 3 out of range: the tip scheme must be 1 "
       "or 2"},
      {general_file("21", ""), "6501: READ(entradas_geral.ent)\r\n- end of file"},
  };
  TempDir dir;
  FilesIn files(dir);
  for (const Row& row : rows) {
    SCOPED_TRACE(row.message);
    testing_support::write_file(dir.file("entradas_geral.ent"), row.general);
    EXPECT_EQ(message_of(read_general_input(files)), frame + row.message + "\r\n");
  }
  testing_support::write_file(dir.file("entradas_uds.ent"), "-1  itmax\r\n1e-10\r\n25\r\n");
  EXPECT_EQ(message_of(read_iteration_input(files)),
            frame + "6100: READ(entradas_uds.ent)\r\n- itmax = -1 out of range: the maximum "
                    "number of iterations must be from 0 to 2147483647\r\n");
}

// A missing file is created empty and read to its end, as aleta has always done; a unit of the
// process connected as 1 meanwhile is neither used nor closed by the reading.
TEST(CaseInput, MissingFileIsCreatedAndItsEndReturnedWithTheUnitsLeftAlone) {
  TempDir dir;
  FilesIn files(dir);
  const std::string other = dir.file("other.txt");
  textio::open_unit(platform::native_file_system(), 1, other.data(), static_cast<int>(other.size()));
  EXPECT_EQ(message_of(read_iteration_input(files)),
            "\r\nrun-time error F6501: READ(entradas_uds.ent)\r\n- end of file\r\n");
  EXPECT_EQ(testing_support::read_file(dir.file("entradas_uds.ent")), "");
  testing_support::write_file(dir.file("entradas_uds.ent"), "40\r\n1e-10\r\n25\r\n");
  const auto read = read_iteration_input(files);
  ASSERT_EQ(message_of(read), "");
  EXPECT_EQ(std::get<IterationInput>(read).itmax, 40);
  ASSERT_NE(textio::find_unit(1), nullptr);
  EXPECT_EQ(textio::unit_file_name(*textio::find_unit(1)), other);
  textio::close_unit(1);
}

}  // namespace
}  // namespace fin
