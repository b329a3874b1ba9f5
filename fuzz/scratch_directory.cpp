#include "fuzz/scratch_directory.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <unistd.h>

namespace fuzz {

ScratchDirectory::ScratchDirectory(const std::string& target) : owner_(getpid()) {
  const char* base = std::getenv("TMPDIR");
  path_ = std::string(base != nullptr && *base != '\0' ? base : "/tmp") + "/aleta-" + target +
          "-XXXXXX";
  if (mkdtemp(path_.data()) == nullptr) std::abort();
}

ScratchDirectory::~ScratchDirectory() {
  if (getpid() != owner_) return;
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

}  // namespace fuzz
