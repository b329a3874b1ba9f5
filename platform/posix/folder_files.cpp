#include "platform/folder_files.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/posix/fd_io.h"

namespace platform {
namespace {

SetFileError reason_of(int error) {
  switch (error) {
    case 0: return SetFileError::None;
    case ENOENT: return SetFileError::NotFound;
    case ENOTDIR: return SetFileError::NotAFolder;
    case EACCES:
    case EPERM:
    case EROFS: return SetFileError::AccessDenied;
    case EEXIST:
    case ELOOP: return SetFileError::AlreadyExists;  // O_NOFOLLOW met a link
    case ENOSPC:
    case EDQUOT: return SetFileError::DiskFull;
    case EFBIG: return SetFileError::SizeLimit;
    case EINVAL:
    case ENAMETOOLONG: return SetFileError::InvalidName;
    default: return SetFileError::Other;
  }
}

int open_retrying(const std::string& name, int flags, mode_t mode = 0) {
  int fd = -1;
  do {
    fd = ::open(name.c_str(), flags | O_CLOEXEC, mode);
  } while (fd < 0 && errno == EINTR);
  return fd;
}

SetFileError make_one(const std::string& folder) {
  if (::mkdir(folder.c_str(), 0777) == 0) return SetFileError::None;
  const int error = errno;
  struct stat info {};
  if (error == EEXIST) {
    return ::stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode) ? SetFileError::None
                                                                       : SetFileError::NotAFolder;
  }
  return reason_of(error);
}

class PosixFolderFiles final : public FolderFiles {
 public:
  SetFileError make_folder(const std::string& folder) override {
    if (folder.empty()) return SetFileError::InvalidName;
    // The parents first, each made when missing.
    for (std::size_t slash = folder.find('/', 1); slash != std::string::npos;
         slash = folder.find('/', slash + 1)) {
      if (folder[slash - 1] == '/') continue;
      const SetFileError error = make_one(folder.substr(0, slash));
      if (error != SetFileError::None) return error;
    }
    return make_one(folder);
  }

  // flock on the folder itself: no file of the lock's own is left in it.
  SetFileError lock_folder(const std::string& folder, FileHandle& lock) override {
    const int fd = open_retrying(folder, O_RDONLY | O_DIRECTORY);
    if (fd < 0) return reason_of(errno);
    while (::flock(fd, LOCK_EX) != 0 && errno == EINTR) {
    }
    lock = fd;
    return SetFileError::None;
  }

  void release_folder(FileHandle lock) override { ::close(static_cast<int>(lock)); }

  SetFileError create_private(const std::string& name, FileHandle& handle) override {
    const int fd = open_retrying(name, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW, 0666);
    if (fd < 0) return reason_of(errno);
    handle = fd;
    return SetFileError::None;
  }

  SetFileError write(FileHandle handle, const char* bytes, std::size_t count) override {
    return reason_of(posix::write_fully(static_cast<int>(handle), bytes, count));
  }

  SetFileError close(FileHandle handle) override {
    return ::close(static_cast<int>(handle)) == 0 || errno == EINTR ? SetFileError::None
                                                                     : reason_of(errno);
  }

  // aleta locks a report with flock while it writes it; a pipe or a device is not opened (it
  // could block), and is replaced like any name.
  FinalName final_name(const std::string& name) override {
    struct stat info {};
    if (::lstat(name.c_str(), &info) != 0) return FinalName::Free;
    if (S_ISDIR(info.st_mode)) return FinalName::Folder;
    if (!S_ISREG(info.st_mode)) return FinalName::Free;
    const int fd = open_retrying(name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK);
    if (fd < 0) return FinalName::Free;
    const bool held = ::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    ::close(fd);
    return held ? FinalName::HeldByOther : FinalName::Free;
  }

  SetFileError replace(const std::string& from, const std::string& to) override {
    return std::rename(from.c_str(), to.c_str()) == 0 ? SetFileError::None : reason_of(errno);
  }

  void remove(const std::string& name) override { (void)::unlink(name.c_str()); }
};

}  // namespace

FolderFiles& native_folder_files() {
  static PosixFolderFiles files;
  return files;
}

}  // namespace platform
