#pragma once
// Helpers for the unit-layer tests: records written as the record writer writes them, bytes read
// as the reader reads them, and a file system that fails where a test says.
#include <cstddef>
#include <string>

#include "platform/files.h"
#include "process/run_time_error.h"
#include "tests/support/forwarding_file_system.h"
#include "textio/unit_close.h"
#include "textio/unit_input.h"
#include "textio/unit_open.h"
#include "textio/unit_output.h"
#include "textio/unit_table.h"

namespace textio::testing {

inline UnitRecord& open_named(int unit, const std::string& name,
                              platform::FileSystem& files = platform::native_file_system()) {
  return open_unit(files, unit, name.data(), static_cast<int>(name.size()));
}

// One write statement of one record.
inline void write_record(int unit, const std::string& bytes) {
  UnitRecord& record = *find_unit(unit);
  start_writing(record);
  put_output(record, bytes.data(), bytes.size());
  end_output_record(record);
}

// The next byte of the unit's file; an error ends the process with its message, as a program
// reports it.
inline unsigned char next_byte_or_raise(UnitRecord& unit) {
  const SourceByte byte = read_input_byte(unit);
  if (byte.error != nullptr) {
    process::raise_run_time_error(*byte.error, process::Operation::Read, unit.name);
  }
  return byte.value;
}

// Takes bytes through the next LF, as next_byte_or_raise.
inline void skip_record(UnitRecord& unit) {
  while (next_byte_or_raise(unit) != '\n') {
  }
}

inline std::string read_bytes(int unit, std::size_t count) {
  std::string bytes;
  while (bytes.size() < count) bytes.push_back(static_cast<char>(next_byte_or_raise(*find_unit(unit))));
  return bytes;
}

// The message of a run-time error of a unit operation, spelt out.
inline std::string unit_error(const std::string& number_and_operation, const std::string& name,
                              const std::string& text) {
  return "\r\nrun-time error F" + number_and_operation + "(" + name + ")\r\n- " + text + "\r\n";
}

// Passes everything to the operating system's files, except the failures a test asks for.
class FaultyFileSystem : public testing_support::ForwardingFileSystem {
 public:
  int failing_write = 0;  // the write that fails, counting from 1; 0 for none
  platform::FileError write_error = platform::FileError::DiskFull;
  platform::FileError read_error = platform::FileError::None;
  bool refuse_read_write_open = false;  // as a read-only file refuses a user who is not root
  int writes = 0;

  platform::FileError open(const std::string& name, platform::OpenMode mode,
                           platform::FileAccess access, platform::FileHandle& handle) override {
    if (refuse_read_write_open && access == platform::FileAccess::ReadWrite) {
      return platform::FileError::AccessDenied;
    }
    return native().open(name, mode, access, handle);
  }
  platform::FileError read(platform::FileHandle handle, char* bytes, std::size_t count,
                           std::size_t& got) override {
    if (read_error != platform::FileError::None) return read_error;
    return native().read(handle, bytes, count, got);
  }
  platform::FileError write(platform::FileHandle handle, const char* bytes,
                            std::size_t count) override {
    if (++writes == failing_write) return write_error;
    return native().write(handle, bytes, count);
  }
};

}  // namespace textio::testing
