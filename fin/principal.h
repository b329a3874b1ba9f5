#pragma once
#include "platform/files.h"

namespace fin {

// The main program: runs one case from its input files to its report, through `files`, and
// returns 0. Failures never come back here: they end the process where they happen, or, for
// the storage of an array, here.
int principal(platform::FileSystem& files);

}  // namespace fin
