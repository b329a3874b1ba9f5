#pragma once
#include "platform/files.h"

namespace aleta {

// The main program: runs one case from its input files to its report, through `files`, and
// returns 0. Failures never come back here: they end the process where they happen, or, for
// the storage of an array, here.
int principal(platform::FileSystem& files);

// The whole run: the general input (opened in the editor first), the clock, the case (with the
// iteration input, opened in the editor first, when its scheme iterates), the report. Storage
// that cannot be had ends it with process::StorageUnavailable.
void run_processing(platform::FileSystem& files);

}  // namespace aleta
