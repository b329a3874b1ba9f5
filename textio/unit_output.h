#pragma once
// Writing records to a connected unit's file through its buffer.
#include <cstddef>

namespace textio {

struct UnitRecord;

// Called at the start of every write statement: a unit in reading state has its file cut at the
// current position and enters writing state.
void start_writing(UnitRecord& unit);

// Appends bytes of the current record to the unit's buffer, writing the buffer out when full.
void put_output(UnitRecord& unit, const char* bytes, std::size_t count);

// Ends the current record (CR LF on a disk file).
void end_output_record(UnitRecord& unit);

}  // namespace textio
