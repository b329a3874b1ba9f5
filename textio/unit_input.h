#pragma once
// Reading a unit record's file through its buffer.
#include "textio/list_input.h"

namespace textio {

struct UnitRecord;

// The next byte of the file; an unterminated last record is completed with an LF. At the end of
// the file, run-time error 6501 instead, and 6500 when the system reports a read failure. A read
// on a unit holding output writes that output first; a failure of that write ends the run with
// the write's error.
SourceByte read_input_byte(UnitRecord& unit);

}  // namespace textio
