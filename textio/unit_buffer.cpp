#include "textio/unit_buffer.h"


namespace textio {

const process::RunTimeError& write_error(platform::FileError error) {
  // Access denied covers read-only files and handles and locked regions; any other failure
  // means the system took fewer bytes than asked, which is reported as a full disk.
  return error == platform::FileError::AccessDenied ? process::kWriteDenied : process::kDiskFull;
}

void write_out_buffer(UnitRecord& unit, process::Operation operation) {
  const std::size_t count = unit.next;
  if (count == 0) return;
  unit.next = 0;
  unit.block_start += count;
  const platform::FileError error = unit.files->write(unit.handle, unit.buffer.data(), count);
  if (error != platform::FileError::None) {
    process::raise_run_time_error(write_error(error), operation, unit.name);
  }
}

}  // namespace textio
