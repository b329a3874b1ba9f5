#include "platform/files.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/posix/fd_io.h"

namespace platform {
namespace {

FileError reason_of(int error) {
  switch (error) {
    case 0: return FileError::None;
    case ENOENT:
    case ENOTDIR: return FileError::NotFound;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case EBADF:  // writing through a handle opened for reading only
    case ETXTBSY: return FileError::AccessDenied;
    case EEXIST: return FileError::AlreadyExists;
    case EINVAL:
    case ENAMETOOLONG: return FileError::InvalidName;
    case EMFILE:
    case ENFILE: return FileError::TooManyOpen;
    case ENOSPC:
    case EDQUOT:
    case EFBIG: return FileError::DiskFull;
    default: return FileError::Other;
  }
}

FileStatus status_from(const struct stat& info) {
  FileStatus status;
  status.identity.volume = static_cast<std::uint64_t>(info.st_dev);
  status.identity.file = static_cast<std::uint64_t>(info.st_ino);
  status.regular = S_ISREG(info.st_mode);
  status.size = status.regular ? static_cast<std::uint64_t>(info.st_size) : 0;
  return status;
}

int open_flags(OpenMode mode, FileAccess access) {
  int flags = O_CLOEXEC;  // the editor started later must not inherit the unit's file
  switch (access) {
    case FileAccess::ReadWrite: flags |= O_RDWR; break;
    case FileAccess::ReadOnly: flags |= O_RDONLY; break;
    case FileAccess::WriteOnly: flags |= O_WRONLY; break;
  }
  if (mode == OpenMode::CreateNew) flags |= O_CREAT | O_EXCL;
  return flags;
}

class PosixFileSystem final : public FileSystem {
 public:
  bool status(const std::string& name, FileStatus& status) override {
    struct stat info {};
    if (::stat(name.c_str(), &info) != 0) return false;
    status = status_from(info);
    return true;
  }

  bool status(FileHandle handle, FileStatus& status) override {
    struct stat info {};
    if (::fstat(static_cast<int>(handle), &info) != 0) return false;
    status = status_from(info);
    return true;
  }

  FileError open(const std::string& name, OpenMode mode, FileAccess access,
                 FileHandle& handle) override {
    int fd = -1;
    do {
      fd = ::open(name.c_str(), open_flags(mode, access), 0666);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) return reason_of(errno);
    // A directory opens for reading here but is no file to read records from; refuse it as the
    // Windows build does.
    struct stat info {};
    if (::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode)) {
      ::close(fd);
      return FileError::AccessDenied;
    }
    handle = fd;
    return FileError::None;
  }

  FileError read(FileHandle handle, char* bytes, std::size_t count, std::size_t& got) override {
    const ssize_t n = posix::read_once(static_cast<int>(handle), bytes, count);
    if (n < 0) return reason_of(errno);
    got = static_cast<std::size_t>(n);
    return FileError::None;
  }

  FileError write(FileHandle handle, const char* bytes, std::size_t count) override {
    return reason_of(posix::write_fully(static_cast<int>(handle), bytes, count));
  }

  FileError seek(FileHandle handle, std::uint64_t offset) override {
    if (::lseek(static_cast<int>(handle), static_cast<off_t>(offset), SEEK_SET) < 0) {
      return reason_of(errno);
    }
    return FileError::None;
  }

  FileError truncate(FileHandle handle, std::uint64_t offset) override {
    int result = 0;
    do {
      result = ::ftruncate(static_cast<int>(handle), static_cast<off_t>(offset));
    } while (result != 0 && errno == EINTR);
    if (result == 0) return FileError::None;
    // The file is a regular one, so EINVAL means a handle without write access.
    return errno == EINVAL ? FileError::AccessDenied : reason_of(errno);
  }

  // An advisory lock: it keeps out only those that ask for it too. Some network and FUSE file
  // systems refuse flock; the file is then written without a lock.
  void lock(FileHandle handle) override {
    while (::flock(static_cast<int>(handle), LOCK_EX) != 0 && errno == EINTR) {
    }
  }

  void close(FileHandle handle) override { ::close(static_cast<int>(handle)); }
};

}  // namespace

FileSystem& native_file_system() {
  static PosixFileSystem files;
  return files;
}

FileHandle standard_output_handle() { return STDOUT_FILENO; }
FileHandle standard_error_handle() { return STDERR_FILENO; }
const char* null_device_name() { return "/dev/null"; }

}  // namespace platform
