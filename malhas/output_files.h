#pragma once
// The study's output folder: created and locked before the first mesh is computed, then given
// the whole set of files at once. Each file is written under a private temporary name; when
// every file is complete and on the disk, a journal of the renames is committed under its name
// and the final names are replaced. Until the commit the folder keeps the earlier set; from it
// on the new set stands, and a run that stops among the renames (killed, a power cut) leaves the
// journal, which the next study in the folder completes before anything else. Two studies into
// one folder take turns.
#include <functional>
#include <string>
#include <vector>

#include "malhas/presentation/study_files.h"
#include "malhas/publication_journal.h"
#include "platform/folder_files.h"

namespace malhas {

class OutputFolder {
 public:
  // What the folder tells the user on the way, in Portuguese: that it waits for another study,
  // or that it completed what an interrupted one left.
  using Note = std::function<void(const std::string&)>;

  // Creates `folder` when missing, takes its lock (noting, once, that it waits for another study
  // that holds it), completes a publication that a stopped run left pending, removes the
  // temporary files that such a run left, and checks that a file can be created in the folder;
  // error() tells why any of it failed.
  OutputFolder(platform::FolderFiles& files, std::string folder, const Note& note);
  ~OutputFolder();
  OutputFolder(const OutputFolder&) = delete;
  OutputFolder& operator=(const OutputFolder&) = delete;

  // Why the folder cannot take the study, in Portuguese; empty when it can.
  const std::string& error() const { return error_; }

  // Writes every file and puts the set in place. On failure returns the reason in Portuguese:
  // before the commit with the earlier files untouched and no temporary file left (also when
  // memory runs out), after it with the journal that the next run completes. Empty when all
  // are in place. An interruption before the commit removes the temporary files and ends the
  // process with a message that the earlier files are unchanged; one after it waits for the
  // renames.
  std::string write(const std::vector<OutputFile>& files);

 private:
  std::string path(std::string_view name) const;
  void take_lock(const Note& note);
  // Renames each temporary file over its final name, then removes the journal; resuming a
  // journal, a temporary file already gone was renamed before. The reason of a failure.
  std::string put_in_place(const std::vector<Renaming>& renamings, bool resuming);
  void complete_pending(const Note& note);
  void remove_leftovers(const Note& note);

  platform::FolderFiles& files_;
  std::string folder_;
  platform::FileHandle lock_ = 0;
  bool lock_open_ = false;
  bool locked_ = false;
  std::string error_;
};

}  // namespace malhas
