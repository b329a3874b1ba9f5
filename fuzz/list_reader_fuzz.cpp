// Fuzz target: the list-directed reader on arbitrary file contents, read from an input file as
// the program reads its input files, under the program's floating-point traps. The first byte of
// an input chooses the items (2 bits per read operation: integer, real, character of length
// 100, or all three in one operation); the rest is the file. Reading goes on until the file is
// used up. Every read must end normally or return one of the reader's own run-time errors, whose
// message is in the exact frame; an end of the process, a trap, a crash or a sanitizer report is
// a finding.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <variant>

#include "fuzz/in_process_frame.h"
#include "fuzz/scratch_directory.h"
#include "platform/fp_control.h"
#include "process/run_time_error.h"
#include "textio/list_input.h"
#include "textio/list_reader.h"

namespace {

constexpr int kTextLength = 100;  // the length of the report name, the program's one text item
constexpr int kMostOperations = 100000;

std::string input_path;

enum class Items { Integer, Real, Character, All };

// The operation's error, if any: the first item that meets one ends it.
textio::ListReader::Result read_operation(textio::InputFile& input, Items items) {
  std::int32_t integer = 0;
  double real = 0;
  // Exactly as long as the item, so that a byte written past its end is caught.
  const auto text = std::make_unique<char[]>(kTextLength);
  textio::ListReader reader(input);
  textio::ListReader::Result error;
  if (!error && (items == Items::Integer || items == Items::All)) {
    error = reader.read_integer_item(integer);
  }
  if (!error && (items == Items::Real || items == Items::All)) error = reader.read_real_item(real);
  if (!error && (items == Items::Character || items == Items::All)) {
    error = reader.read_character_item(text.get(), kTextLength);
  }
  return error ? error : reader.end_read();
}

[[noreturn]] void fail(const char* what, const std::string& message) {
  std::fprintf(stderr, "%s:\n%s\n", what, message.c_str());
  std::abort();
}

// The reader's errors for the values it meets, and end of file.
bool is_reader_error(int number) {
  using namespace process;
  for (const RunTimeError* error :
       {&kIntegerOutOfRange, &kInvalidInteger, &kRealOutOfRange, &kInvalidReal, &kSecondRadixMark,
        &kRadixOutOfRange, &kEndOfFile, &kZeroRepeatCount, &kSecondRepeatCount,
        &kDelimitedNumber}) {
    if (error->number == number) return true;
  }
  return false;
}

void check_failure(const std::string& message) {
  const std::string frame = "\r\nrun-time error F";
  if (message.compare(0, frame.size(), frame) != 0) fail("not a run-time error", message);
  const int number = std::atoi(message.c_str() + frame.size());
  const std::string context = ": READ(" + input_path + ")\r\n- ";
  if (!is_reader_error(number) || message.compare(frame.size() + 4, context.size(), context) != 0 ||
      message.compare(message.size() - 2, 2, "\r\n") != 0) {
    fail("unexpected run-time error", message);
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  static const fuzz::ScratchDirectory scratch("list-reader-fuzz");
  input_path = scratch.path() + "/entradas_geral.ent";
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  std::FILE* file = std::fopen(input_path.c_str(), "wb");
  if (file == nullptr || std::fwrite(data + 1, 1, size - 1, file) != size - 1) std::abort();
  std::fclose(file);

  platform::enable_fp_traps();
  try {
    auto opened = textio::InputFile::open(platform::native_file_system(), input_path);
    if (const auto* error = std::get_if<process::RunTimeErrorReport>(&opened)) {
      fail("the input file did not open", process::compose_run_time_error(*error));
    }
    textio::InputFile& input = std::get<textio::InputFile>(opened);
    for (int operation = 0; operation < kMostOperations; ++operation) {
      const textio::ListReader::Result error =
          read_operation(input, static_cast<Items>((data[0] >> (2 * (operation % 4))) & 3));
      if (error) {
        check_failure(process::compose_run_time_error(*error));
        break;
      }
    }
  } catch (const fuzz::ProcessEnded&) {
    fail("the reader ended the process", fuzz::take_standard_error());
  }
  platform::suspend_fp_traps();
  return 0;
}
