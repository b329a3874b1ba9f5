#include "fuzz/scratch_directory.h"

#include <cstdlib>

namespace fuzz {

std::string make_scratch_directory(const std::string& target) {
  const char* base = std::getenv("TMPDIR");
  std::string pattern = std::string(base != nullptr && *base != '\0' ? base : "/tmp") +
                        "/aleta-" + target + "-XXXXXX";
  if (mkdtemp(pattern.data()) == nullptr) std::abort();
  return pattern;
}

}  // namespace fuzz
