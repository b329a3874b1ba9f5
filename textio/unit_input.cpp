// Input on a unit: the bytes of the file, block by block, with the last record completed.
#include "textio/unit_buffer.h"
#include "textio/unit_input.h"

namespace textio {
namespace {

using process::Operation;

// A read on a unit that holds output writes that output first and goes on from there.
void switch_to_reading(UnitRecord& unit) {
  write_out_buffer(unit, Operation::Read);
  unit.writing = false;
  unit.next = 0;
  unit.filled = 0;
  unit.block_real = 0;
}

// Reads the next block: the error that leaves none, or null. An unterminated last record is
// completed with an LF: appended to a short block that does not end with one, or delivered
// alone when the file ends right after a full block.
const process::RunTimeError* refill(UnitRecord& unit) {
  const bool delivered_unterminated = unit.filled > 0 && unit.buffer[unit.filled - 1] != '\n';
  unit.block_start += unit.block_real;
  std::size_t got = 0;
  if (unit.files->read(unit.handle, unit.buffer.data(), unit.buffer.size(), got) !=
      platform::FileError::None) {
    return &process::kReadFailure;
  }
  unit.next = 0;
  unit.block_real = got;
  unit.filled = got;
  if (got == 0) {
    if (!delivered_unterminated) return &process::kEndOfFile;
    unit.buffer[unit.filled++] = '\n';
  } else if (got < unit.buffer.size() && unit.buffer[got - 1] != '\n') {
    unit.buffer[unit.filled++] = '\n';
  }
  return nullptr;
}

}  // namespace

SourceByte read_input_byte(UnitRecord& unit) {
  if (unit.writing) switch_to_reading(unit);
  if (unit.next == unit.filled) {
    if (const process::RunTimeError* error = refill(unit)) return {0, error};
  }
  return {static_cast<unsigned char>(unit.buffer[unit.next++]), nullptr};
}

}  // namespace textio
