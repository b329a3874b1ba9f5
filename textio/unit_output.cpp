// Output on a unit: the start of writing, the bytes of a record and its end.
#include <algorithm>
#include <cstring>

#include "textio/unit_buffer.h"
#include "textio/unit_output.h"

namespace textio {
namespace {

using process::Operation;

void check_write(platform::FileError error, const UnitRecord& unit) {
  if (error != platform::FileError::None) {
    process::raise_run_time_error(write_error(error), Operation::Write, unit.name);
  }
}

void append(UnitRecord& unit, const char* bytes, std::size_t count) {
  while (count > 0) {
    if (unit.next == unit.buffer.size()) write_out_buffer(unit, Operation::Write);
    const std::size_t taken = std::min(count, unit.buffer.size() - unit.next);
    std::memcpy(unit.buffer.data() + unit.next, bytes, taken);
    unit.next += taken;
    bytes += taken;
    count -= taken;
  }
}

// A device takes the first character of a record as carriage control: "0" puts an empty line
// before the record, "1" a form feed; "+" and every other character behave as a blank (nothing
// before the record). The character itself is not printed.
void apply_carriage_control(UnitRecord& unit, char control) {
  if (control == '0') append(unit, "\r\n", 2);
  if (control == '1') append(unit, "\f", 1);
}

}  // namespace

// The first write locks a regular file, so that two runs writing one report take turns and
// the report left is one run's whole report. A file the open created is in writing state from
// the start, but it too is cut at that first write: another run may have written it while this
// one waited for the lock.
void start_writing(UnitRecord& unit) {
  if (unit.writing && unit.locked) return;
  if (!unit.locked) {
    if (unit.regular_file) unit.files->lock(unit.handle);
    unit.locked = true;
  }
  const std::uint64_t position = unit.block_start + std::min(unit.next, unit.block_real);
  if (unit.regular_file) {
    // Only a file with bytes after the position is cut: an empty read-only file fails only
    // when the first output reaches it.
    platform::FileStatus status;
    if (unit.files->status(unit.handle, status) && status.size > position) {
      check_write(unit.files->truncate(unit.handle, position), unit);
    }
    check_write(unit.files->seek(unit.handle, position), unit);
  }
  unit.writing = true;
  unit.block_start = position;
  unit.next = 0;
  unit.filled = 0;
  unit.block_real = 0;
  unit.at_record_start = true;
}

void put_output(UnitRecord& unit, const char* bytes, std::size_t count) {
  if (count == 0) return;
  start_writing(unit);
  if (unit.device && unit.at_record_start) {
    apply_carriage_control(unit, bytes[0]);
    ++bytes;
    --count;
  }
  unit.at_record_start = false;
  append(unit, bytes, count);
}

// A device shows each record as soon as it ends; a disk file keeps it until the buffer is full.
void end_output_record(UnitRecord& unit) {
  start_writing(unit);
  append(unit, "\r\n", 2);
  unit.at_record_start = true;
  if (unit.device) write_out_buffer(unit, Operation::Write);
}

}  // namespace textio
