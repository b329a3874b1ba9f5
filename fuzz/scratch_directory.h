#pragma once
// The directory a fuzz target writes its files in.
#include <string>

namespace fuzz {

// Creates a new directory named after `target` in $TMPDIR (/tmp when unset) and returns its
// path. Millions of inputs are written there: a memory file system (TMPDIR=/dev/shm) keeps the
// disk out of the fuzzer's way.
std::string make_scratch_directory(const std::string& target);

}  // namespace fuzz
