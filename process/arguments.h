#pragma once
// The command line of a program that reads options and takes file names from them.
#include <string>
#include <vector>

namespace process {

// Every argument, the program name first, as UTF-8 whatever the system's code page, so that a
// file name typed in any script names that file.
std::vector<std::string> utf8_arguments(int argc, char** argv);

}  // namespace process
