#pragma once
// Units: small integers that name connected files for the reader and the writer. Every failure
// raises a run-time error (process/run_time_error.h) and ends the program.
#include <cstddef>
#include <string_view>

#include "platform/files.h"

namespace textio {

struct UnitRecord;

// Registers the end-of-run handler that closes every unit still open when the process ends.
void initialise_unit_layer();

// Connects `unit` to the file named by the first `length` bytes of `name` (stopping at a NUL;
// blanks around the name are dropped; a blank name is taken from the command line or asked for),
// opened through `files`, which keeps serving the unit until it is closed. A missing file is
// created; an existing one is opened at its beginning without being cut.
UnitRecord& open_unit(platform::FileSystem& files, int unit, const char* name, int length);

// Disconnects `unit`, writing out any buffered output. Does nothing if it is not connected.
void close_unit(int unit);

// The name of the file the unit is connected to, as the open used it.
std::string_view unit_file_name(const UnitRecord& unit);

// Input. The next byte of the file; an unterminated last record is completed with an LF.
// Raises 6501 at the end of the file and 6500 when the system reports a read failure.
unsigned char next_input_byte(UnitRecord& unit);

// Takes bytes through the next LF, which is consumed.
void skip_to_next_record(UnitRecord& unit);

// Output. Called at the start of every write statement: a unit in reading state has its file
// cut at the current position and enters writing state.
void start_writing(UnitRecord& unit);

// Appends bytes of the current record to the unit's buffer, writing the buffer out when full.
void put_output(UnitRecord& unit, const char* bytes, std::size_t count);

// Ends the current record (CR LF on a disk file).
void end_output_record(UnitRecord& unit);

}  // namespace textio
