#include "process/arguments.h"

#include "platform/arguments.h"

namespace process {

std::vector<std::string> utf8_arguments(int argc, char** argv) {
  return platform::utf8_arguments(argc, argv);
}

}  // namespace process
