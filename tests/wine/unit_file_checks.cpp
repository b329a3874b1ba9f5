// Unit files on Windows: the reserved device names, the replacement of an existing file, a
// read-only or locked file, a missing input file and the name of a blank open.
#include <windows.h>

#include <string>

#include "fin/entradas.h"
#include "platform/win32/device_paths.h"
#include "process/run_time_error.h"
#include "tests/support/temp_dir.h"
#include "tests/textio/unit_test_support.h"
#include "tests/wine/check.h"
#include "tests/wine/child_run.h"
#include "tests/wine/child_scenario.h"
#include "textio/unit_close.h"

namespace {

using testing_support::file_exists;
using testing_support::read_file;
using testing_support::TempDir;
using testing_support::write_file;
using textio::testing::open_named;
using textio::testing::unit_error;
using textio::testing::write_record;

// Each scenario writes one record (the first character is a carriage control on a device) to a
// unit opened on its own name, in the child's current directory.
void write_one_record(const char* name) {
  open_named(1, name);
  write_record(1, " record");
  textio::close_unit(1);
}
WINE_SCENARIO(write_con_txt) { write_one_record("con.txt"); }
WINE_SCENARIO(write_CON) { write_one_record("CON"); }
WINE_SCENARIO(write_err) { write_one_record("err"); }
WINE_SCENARIO(write_nul_dat) { write_one_record("nul.dat"); }
WINE_SCENARIO(write_lpt1_txt) { write_one_record("lpt1.txt"); }
WINE_SCENARIO(write_err_txt) { write_one_record("err.txt"); }
WINE_SCENARIO(write_com7) { write_one_record("com7"); }
WINE_SCENARIO(write_sub_con_txt) { write_one_record("sub/con.txt"); }
WINE_SCENARIO(write_saida) { write_one_record("saida.txt"); }
WINE_SCENARIO(write_blank_name) { write_one_record("    "); }
// As aleta reads its iteration input.
WINE_SCENARIO(read_entradas_uds) {
  process::value_or_raise(fin::read_iteration_input(platform::native_file_system()));
}

std::string run_in(const TempDir& dir, const std::string& scenario, unsigned long exit_code = 0,
                   const std::string& input = "") {
  const auto r = wine_checks::run_child(wine_checks::self_command(scenario), input, dir.path());
  CHECK_EQ(r.exit_code, exit_code);
  return r.out + "|" + r.err;
}

WINE_CASE(ConsoleAndErrorDevicesAreTheStandardStreams) {
  TempDir dir;
  CHECK_EQ(run_in(dir, "write_con_txt"), "record\r\n|");
  CHECK_EQ(run_in(dir, "write_CON"), "record\r\n|");
  CHECK_EQ(run_in(dir, "write_err"), "|record\r\n");
  CHECK(!file_exists(dir.file("con.txt")) && !file_exists(dir.file("CON")));
}

WINE_CASE(NullDeviceTakesTheRecordAndKeepsNothing) {
  TempDir dir;
  CHECK_EQ(run_in(dir, "write_nul_dat"), "|");
  CHECK(!file_exists(dir.file("nul.dat")));
}

// Names that the open's rules keep as files, although Windows reads them as devices.
WINE_CASE(NamesThatStayFilesAreFiles) {
  TempDir dir;
  CreateDirectoryA(dir.file("sub").c_str(), nullptr);
  for (const char* scenario : {"write_lpt1_txt", "write_err_txt", "write_com7", "write_sub_con_txt"}) {
    CHECK_EQ(run_in(dir, scenario), "|");
  }
  // The check reaches them as the program does: by their literal full names.
  for (const char* name : {"lpt1.txt", "err.txt", "com7", "sub/con.txt"}) {
    const std::string path = platform::win32::native_path(dir.file(name));
    CHECK(file_exists(path));
    if (file_exists(path)) CHECK_EQ(read_file(path), " record\r\n");
    DeleteFileA(path.c_str());  // the scratch directory's removal would take it for a device
  }
}

WINE_CASE(ExistingLongerFileIsReplaced) {
  TempDir dir;
  write_file(dir.file("saida.txt"), std::string(5000, 'x') + "\r\n");
  CHECK_EQ(run_in(dir, "write_saida"), "|");
  CHECK_EQ(read_file(dir.file("saida.txt")), " record\r\n");
}

// A file that another process holds without sharing its writing opens for reading only: the
// first write then cannot cut it, and it keeps its contents. (A read-only attribute does the
// same on Windows, but not under Wine for root.)
WINE_CASE(FileThatCannotBeWrittenIsOpenedForReadingAndRefusesTheWrite) {
  TempDir dir;
  const std::string name = dir.file("saida.txt");
  write_file(name, "old contents\r\n");
  HANDLE reader = CreateFileA(name.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              0, nullptr);
  CHECK_EQ(run_in(dir, "write_saida", 1),
           "|" + unit_error("6421: WRITE", "saida.txt",
                            "cannot write file: access denied or file locked"));
  CloseHandle(reader);
  CHECK_EQ(read_file(name), "old contents\r\n");
}

WINE_CASE(FileSharedForReadingAndWritingOpensOneHeldExclusivelyDoesNot) {
  TempDir dir;
  const std::string name = dir.file("saida.txt");
  write_file(name, "");
  HANDLE shared = CreateFileA(name.c_str(), GENERIC_READ | GENERIC_WRITE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
  CHECK_EQ(run_in(dir, "write_saida"), "|");
  CloseHandle(shared);
  CHECK_EQ(read_file(name), " record\r\n");

  HANDLE exclusive = CreateFileA(name.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  CHECK_EQ(run_in(dir, "write_saida", 1),
           "|" + unit_error("6414: OPEN", "saida.txt", "access to file denied"));
  CloseHandle(exclusive);
}

WINE_CASE(MissingInputFileIsCreatedEmptyAndEndsTheRead) {
  TempDir dir;
  CHECK_EQ(run_in(dir, "read_entradas_uds", 1),
           "|" + unit_error("6501: READ", "entradas_uds.ent", "end of file"));
  CHECK(file_exists(dir.file("entradas_uds.ent")));
  CHECK_EQ(read_file(dir.file("entradas_uds.ent")), "");
}

WINE_CASE(BlankNameIsTheFirstArgumentOrTheAnswerToThePrompt) {
  TempDir dir;
  CHECK_EQ(run_in(dir, "write_blank_name \"from argument.txt\""), "|");
  CHECK_EQ(read_file(dir.file("from argument.txt")), " record\r\n");

  const std::string prompt = "File name missing or blank - please enter file name\r\nUNIT 1? ";
  CHECK_EQ(run_in(dir, "write_blank_name", 0, "  \r\nanswered.txt\r\n"), prompt + prompt + "|");
  CHECK_EQ(read_file(dir.file("answered.txt")), " record\r\n");

  CHECK_EQ(run_in(dir, "write_blank_name", 1, ""),
           prompt + "|" + unit_error("6501: OPEN", "", "end of file"));
}

}  // namespace
