#pragma once
// Writing a unit's buffered output to its file.
#include "process/run_time_error.h"
#include "textio/unit_record.h"

namespace textio {

// Writes the output held in the buffer to the file and empties the buffer. A failure is
// reported with `operation` (6421 access denied, 6422 disk full); the bytes that could not be
// written are dropped first, so that the closing at the end does not report them again.
void write_out_buffer(UnitRecord& unit, process::Operation operation);

// The run-time error of a failure to write or cut a file.
const process::RunTimeError& write_error(platform::FileError error);

}  // namespace textio
