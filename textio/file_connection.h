#pragma once
// Connecting a unit record to a file on disk, for open_unit and for an InputFile.
#include <string>

#include "platform/files.h"
#include "process/run_time_errors.h"
#include "textio/unit_record.h"

namespace textio {

// Opens `path` through unit.files: an existing file (`exists`) at its beginning, a missing one
// created, each with read and write access, falling back to read only and then to write only.
// The unit is left in reading state. The reason of the last attempt when every one fails.
platform::FileError connect_file(UnitRecord& unit, const std::string& path, bool exists);

// The run-time error of an open that failed for `error`.
const process::RunTimeError& open_error(platform::FileError error);

}  // namespace textio
