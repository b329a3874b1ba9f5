#pragma once

namespace fin {

// The main program: runs one case from its input files to its report and returns 0. Failures
// never come back here: they end the process where they happen.
int principal();

}  // namespace fin
