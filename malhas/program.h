#pragma once
// The run of aleta-malhas, from its command line to its exit code.
#include "platform/files.h"

namespace malhas {

// Reads the input files of the current directory through `files`, computes the study the options ask for and
// writes its files. 0 when every mesh completed; 1 when one failed, when the input cannot be
// read (the reader's message) or the files cannot be written.
int run_program(int argc, char** argv, platform::FileSystem& files);

}  // namespace malhas
