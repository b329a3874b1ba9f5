#pragma once
// Connecting a unit to a file. Units are small integers that name connected files for the
// reader and the writer; every failure raises a run-time error (process/run_time_error.h) and
// ends the program.
#include "platform/files.h"

namespace textio {

struct UnitRecord;

// Connects `unit` to the file named by the first `length` bytes of `name` (stopping at a NUL;
// blanks around the name are dropped; a blank name is taken from the command line or asked for),
// opened through `files`, which keeps serving the unit until it is closed. A missing file is
// created; an existing one is opened at its beginning without being cut.
UnitRecord& open_unit(platform::FileSystem& files, int unit, const char* name, int length);

}  // namespace textio
