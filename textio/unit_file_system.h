#pragma once
// The file system the unit layer works through: the operating system's, or a test's.
#include "platform/files.h"

namespace textio {

platform::FileSystem& unit_file_system();

// Puts `files` in place of the operating system's files for every later unit operation.
void use_unit_file_system(platform::FileSystem& files);

}  // namespace textio
