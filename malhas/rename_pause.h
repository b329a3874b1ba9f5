#pragma once
// A test hook. With the environment variable ALETA_MALHAS_PAUSA_TESTE set to "k:file", the study
// stops before the k-th rename it makes in its output folder (counted from 0: with nothing
// pending, rename 0 commits the journal and rename i > 0 puts the i-th file in place), creates
// `file` and waits until it is removed (a minute at most), so that a test can kill or interrupt
// it exactly there. main() reads the variable once; a run without it uses the system's files
// directly.
#include <string_view>

#include "platform/folder_files.h"

namespace malhas {

inline constexpr const char* kRenamePauseVariable = "ALETA_MALHAS_PAUSA_TESTE";

class PausedRenames final : public platform::ForwardingFolderFiles {
 public:
  // `setting` is the variable's value; one that names no rename pauses nowhere.
  PausedRenames(platform::FolderFiles& files, std::string_view setting);

  platform::SetFileError replace(const std::string& from, const std::string& to) override;

 private:
  long pause_at_ = -1;
  std::string marker_;
  long renames_ = 0;
};

}  // namespace malhas
