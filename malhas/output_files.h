#pragma once
// The study's output folder: created and locked before the first mesh is computed, then given
// the whole set of files at once. Each file is written under a private temporary name and the
// final names are replaced only when every file is complete, so the folder holds either this
// study's set or the earlier one, never a mix, and two studies into one folder take turns.
#include <string>
#include <vector>

#include "malhas/presentation/study_files.h"
#include "platform/folder_files.h"

namespace malhas {

class OutputFolder {
 public:
  // Creates `folder` when missing, waits for its lock (held by another study writing there) and
  // checks that a file can be created in it; error() tells why not.
  OutputFolder(platform::FolderFiles& files, std::string folder);
  ~OutputFolder();
  OutputFolder(const OutputFolder&) = delete;
  OutputFolder& operator=(const OutputFolder&) = delete;

  // Why the folder cannot take the study, in Portuguese; empty when it can.
  const std::string& error() const { return error_; }

  // Writes every file and puts the set in place. On failure returns the reason in Portuguese,
  // with the earlier files untouched and no temporary file left; empty when all are in place.
  // An interruption during the writing removes the temporary files and ends the process with a
  // message that the earlier files are unchanged.
  std::string write(const std::vector<OutputFile>& files);

 private:
  platform::FolderFiles& files_;
  std::string folder_;
  platform::FileHandle lock_ = 0;
  bool locked_ = false;
  std::string error_;
};

}  // namespace malhas
