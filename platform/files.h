#pragma once
// Files as the unit layer sees them: byte streams opened by name, read and written in order,
// cut at an offset. Every failure comes back as a small portable reason.
#include <cstddef>
#include <cstdint>
#include <string>

namespace platform {

// A descriptor on POSIX systems, a handle on Windows.
using FileHandle = std::intptr_t;

enum class FileError {
  None,
  NotFound,      // the file or a directory on its path does not exist
  AccessDenied,  // refused for lack of rights, a read-only file or handle, a directory, a lock
  AlreadyExists,
  InvalidName,
  TooManyOpen,
  DiskFull,
  Other
};

enum class FileAccess { ReadWrite, ReadOnly, WriteOnly };

enum class OpenMode {
  Existing,  // open a file that exists
  CreateNew  // create the file; fails with AlreadyExists when it is there
};

// Two names denote the same file exactly when their identities are equal.
struct FileIdentity {
  std::uint64_t volume = 0;
  std::uint64_t file = 0;
  bool operator==(const FileIdentity& other) const {
    return volume == other.volume && file == other.file;
  }
};

struct FileStatus {
  FileIdentity identity;
  bool regular = false;  // a disk file, as opposed to a device, a pipe or a directory
  std::uint64_t size = 0;
};

// The operations behind the unit layer, as an interface so that tests can put failures in.
class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // The status of the named file; false when there is no such file.
  virtual bool status(const std::string& name, FileStatus& status) = 0;
  virtual bool status(FileHandle handle, FileStatus& status) = 0;

  // Opens or creates the named file in binary mode, shared with other openers for reading and
  // writing. A directory is refused as AccessDenied.
  virtual FileError open(const std::string& name, OpenMode mode, FileAccess access,
                         FileHandle& handle) = 0;

  // Reads at most `count` bytes at the current position; `got` is 0 at the end of the file.
  virtual FileError read(FileHandle handle, char* bytes, std::size_t count, std::size_t& got) = 0;

  // Writes all `count` bytes at the current position.
  virtual FileError write(FileHandle handle, const char* bytes, std::size_t count) = 0;

  // Moves the current position to `offset` bytes from the beginning.
  virtual FileError seek(FileHandle handle, std::uint64_t offset) = 0;

  // Cuts the file at `offset`: every byte from there on is removed.
  virtual FileError truncate(FileHandle handle, std::uint64_t offset) = 0;

  // Waits until this handle holds an exclusive lock on the whole file, which lasts until the
  // handle is closed. Another process's lock makes it wait; where the file system has no locks,
  // it returns without one.
  virtual void lock(FileHandle handle) = 0;

  virtual void close(FileHandle handle) = 0;
};

// The operating system's files.
FileSystem& native_file_system();

// The standard streams as handles, for the console devices; they are never closed.
FileHandle standard_output_handle();
FileHandle standard_error_handle();

// The name of the device that discards what is written to it.
const char* null_device_name();

}  // namespace platform
