#pragma once
// Reading a connected unit's file through its buffer.

namespace textio {

struct UnitRecord;

// The next byte of the file; an unterminated last record is completed with an LF. Raises 6501
// at the end of the file and 6500 when the system reports a read failure.
unsigned char next_input_byte(UnitRecord& unit);

// Takes bytes through the next LF, which is consumed.
void skip_to_next_record(UnitRecord& unit);

}  // namespace textio
