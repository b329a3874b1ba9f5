#pragma once
// Files that a program writes as a set into one folder of its own choosing: each under a
// private temporary name first, then all put in place, so that the folder holds either the
// whole new set or the earlier one. Names are UTF-8 (Windows is handed them as wide names).
#include <cstddef>
#include <string>

#include "platform/files.h"

namespace platform {

// Why an operation on the set failed, in the detail a user needs to mend it.
enum class SetFileError {
  None,
  NotFound,      // a folder on the path does not exist
  AccessDenied,  // no permission, a read-only file system
  NotAFolder,    // something other than a folder has the folder's name
  AlreadyExists,
  DiskFull,      // no space or quota left
  SizeLimit,     // the process's file-size limit
  InvalidName,
  Other
};

// What stands at a file's final name before it is replaced.
enum class FinalName {
  Free,         // nothing, or a file nobody holds
  HeldByOther,  // a file another program holds locked or open without sharing its removal
  Folder        // a folder, which a file cannot replace
};

// The operations behind a set of files, as an interface so that tests can put failures in.
class FolderFiles {
 public:
  virtual ~FolderFiles() = default;

  // Creates `folder` and its parents when missing; NotAFolder when a file has its name.
  virtual SetFileError make_folder(const std::string& folder) = 0;

  // Waits until this process holds the folder's lock, which keeps out every other program that
  // asks for it until release_folder. Where the file system has no locks, it goes on without.
  virtual SetFileError lock_folder(const std::string& folder, FileHandle& lock) = 0;
  virtual void release_folder(FileHandle lock) = 0;

  // Creates a new file for writing; AlreadyExists when anything has the name (a file, a link, a
  // pipe), so that no link is followed and nobody else's file is opened.
  virtual SetFileError create_private(const std::string& name, FileHandle& handle) = 0;
  virtual SetFileError write(FileHandle handle, const char* bytes, std::size_t count) = 0;
  // Closes the file; a failure of its data to reach the disk is reported here.
  virtual SetFileError close(FileHandle handle) = 0;

  virtual FinalName final_name(const std::string& name) = 0;
  // Puts file `from` in the place of `to` in one step, replacing what `to` was.
  virtual SetFileError replace(const std::string& from, const std::string& to) = 0;
  virtual void remove(const std::string& name) = 0;
};

// The operating system's files.
FolderFiles& native_folder_files();

// While one exists, the names given to it are removed when the process is interrupted (SIGINT,
// SIGTERM or SIGHUP; on Windows Ctrl+C, Ctrl+Break or the console closing), and `message` is
// written to the standard error stream before the process ends as it would have. At most
// kMaxNames names, and one guard at a time: the signal handler can only reach state that is
// set aside before it runs.
class RemovedOnInterrupt {
 public:
  static constexpr std::size_t kMaxNames = 64;

  explicit RemovedOnInterrupt(const std::string& message);
  ~RemovedOnInterrupt();
  RemovedOnInterrupt(const RemovedOnInterrupt&) = delete;
  RemovedOnInterrupt& operator=(const RemovedOnInterrupt&) = delete;

  // Adds a name before its file is created; false when there is no room for it.
  bool add(const std::string& name);
  // Forgets every name, once their files are gone or in place.
  void forget_all();
  // Holds interruptions back until the guard ends, so that a run of steps that must all happen
  // (the renames of a set) is not cut in the middle; one that came meanwhile then ends the
  // process as it would have without the guard.
  void hold_interruptions();

 private:
  bool held_ = false;
};

}  // namespace platform
