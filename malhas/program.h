#pragma once
// The run of aleta-malhas, from its command line to its exit code.
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/folder_files.h"

namespace malhas {

// `arguments` are UTF-8, the program name first. Reads the input files of the current directory
// through `files`, computes the study the options ask for and writes its files through
// `folder_files`. 0 when every mesh completed; 1 when one failed, when the input cannot be read
// (the reader's message), when memory runs out or the files cannot be written.
int run_program(const std::vector<std::string>& arguments, platform::FileSystem& files,
                platform::FolderFiles& folder_files);

}  // namespace malhas
