#include "textio/unit_buffer.h"

#include "textio/unit_file_system.h"

namespace textio {

int write_error_number(platform::FileError error) {
  // Access denied covers read-only files and handles and locked regions; any other failure
  // means the system took fewer bytes than asked, which is reported as a full disk.
  return error == platform::FileError::AccessDenied ? 6421 : 6422;
}

void write_out_buffer(UnitRecord& unit, process::Operation operation) {
  const std::size_t count = unit.next;
  if (count == 0) return;
  unit.next = 0;
  unit.block_start += count;
  const platform::FileError error = unit_file_system().write(unit.handle, unit.buffer.data(), count);
  if (error != platform::FileError::None) {
    process::raise_run_time_error(write_error_number(error), operation, unit.name);
  }
}

}  // namespace textio
