#include "textio/unit_file_system.h"

namespace textio {
namespace {

platform::FileSystem* current = nullptr;

}  // namespace

platform::FileSystem& unit_file_system() {
  return current != nullptr ? *current : platform::native_file_system();
}

void use_unit_file_system(platform::FileSystem& files) { current = &files; }

}  // namespace textio
