#pragma once
// The directory a fuzz target writes its files in.
#include <string>
#include <sys/types.h>

namespace fuzz {

// A new directory named after `target` in $TMPDIR (/tmp when unset). Millions of inputs are
// written there: a memory file system (TMPDIR=/dev/shm) keeps the disk out of the fuzzer's way.
// The directory goes, with everything in it, when the object does in the process that made it
// (a forked child leaves it alone); a process that aborts on a finding leaves it behind.
class ScratchDirectory {
 public:
  explicit ScratchDirectory(const std::string& target);
  ~ScratchDirectory();
  ScratchDirectory(const ScratchDirectory&) = delete;
  ScratchDirectory& operator=(const ScratchDirectory&) = delete;

  const std::string& path() const { return path_; }

 private:
  std::string path_;
  pid_t owner_;
};

}  // namespace fuzz
