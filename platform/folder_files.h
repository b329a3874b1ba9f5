#pragma once
// Files that a program writes as a set into one folder of its own choosing: each under a
// private temporary name first, then all put in place, so that the folder holds either the
// whole new set or the earlier one. Names are UTF-8 (Windows is handed them as wide names).
#include <cstddef>
#include <string>
#include <vector>

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
  AlteredName,   // a name the system would change (on Windows, a trailing dot or space)
  Other
};

// What stands at a file's final name before it is replaced: anything but Free would stop the
// rename, so the set is refused before its first file is replaced.
enum class FinalName {
  Free,          // nothing, or a file the study may replace
  HeldByOther,   // a file another program holds locked, or on Windows has open in any way
  Folder,        // a folder, which a file cannot replace
  OwnedByOther,  // another user's file in a folder that lets only its owner replace it (sticky)
  Protected,     // marked immutable or append-only (Linux), or read-only (Windows)
  Denied         // a file the study has no right to remove
};

// The folder's lock, as taken.
enum class FolderLock {
  Held,
  Busy,        // another program holds it (only when not waiting)
  Unsupported  // the file system has no locks: the study goes on without one
};

// The operations behind a set of files, as an interface so that tests can put failures in.
class FolderFiles {
 public:
  virtual ~FolderFiles() = default;

  // Creates `folder` and its parents when missing; NotAFolder when a file has its name.
  virtual SetFileError make_folder(const std::string& folder) = 0;

  // Opens what carries the folder's lock; take_lock then takes it, waiting for another program
  // that holds it when `wait`. The lock keeps out every other program that asks for it until
  // release_folder closes it.
  virtual SetFileError open_lock(const std::string& folder, FileHandle& lock) = 0;
  virtual FolderLock take_lock(FileHandle lock, bool wait) = 0;
  virtual void release_folder(FileHandle lock) = 0;

  // Creates a new file for writing; AlreadyExists when anything has the name (a file, a link, a
  // pipe), so that no link is followed and nobody else's file is opened.
  virtual SetFileError create_private(const std::string& name, FileHandle& handle) = 0;
  virtual SetFileError write(FileHandle handle, const char* bytes, std::size_t count) = 0;
  // Puts the file's data on the disk and closes it; a failure of either is reported here.
  virtual SetFileError close(FileHandle handle) = 0;
  // Puts the folder's entries (the files created, renamed and removed in it) on the disk.
  virtual SetFileError sync_folder(const std::string& folder) = 0;

  virtual FinalName final_name(const std::string& name) = 0;
  // Puts file `from` in the place of `to` in one step, replacing what `to` was.
  virtual SetFileError replace(const std::string& from, const std::string& to) = 0;
  virtual void remove(const std::string& name) = 0;

  // The names of the entries of `folder`, hidden ones included ("." and ".." left out).
  virtual SetFileError list(const std::string& folder, std::vector<std::string>& names) = 0;
  // The whole content of the regular file `name`, of at most `limit` bytes (InvalidName when it
  // is longer, or not a regular file); NotFound when nothing has the name.
  virtual SetFileError read(const std::string& name, std::size_t limit, std::string& bytes) = 0;
};

// Passes every call on to another FolderFiles: the base of a wrapper that changes a few.
class ForwardingFolderFiles : public FolderFiles {
 public:
  explicit ForwardingFolderFiles(FolderFiles& files) : files_(files) {}

  SetFileError make_folder(const std::string& folder) override {
    return files_.make_folder(folder);
  }
  SetFileError open_lock(const std::string& folder, FileHandle& lock) override {
    return files_.open_lock(folder, lock);
  }
  FolderLock take_lock(FileHandle lock, bool wait) override { return files_.take_lock(lock, wait); }
  void release_folder(FileHandle lock) override { files_.release_folder(lock); }
  SetFileError create_private(const std::string& name, FileHandle& handle) override {
    return files_.create_private(name, handle);
  }
  SetFileError write(FileHandle handle, const char* bytes, std::size_t count) override {
    return files_.write(handle, bytes, count);
  }
  SetFileError close(FileHandle handle) override { return files_.close(handle); }
  SetFileError sync_folder(const std::string& folder) override {
    return files_.sync_folder(folder);
  }
  FinalName final_name(const std::string& name) override { return files_.final_name(name); }
  SetFileError replace(const std::string& from, const std::string& to) override {
    return files_.replace(from, to);
  }
  void remove(const std::string& name) override { files_.remove(name); }
  SetFileError list(const std::string& folder, std::vector<std::string>& names) override {
    return files_.list(folder, names);
  }
  SetFileError read(const std::string& name, std::size_t limit, std::string& bytes) override {
    return files_.read(name, limit, bytes);
  }

 protected:
  FolderFiles& files_;
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
