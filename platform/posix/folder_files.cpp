#include "platform/folder_files.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <dirent.h>
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

// Puts a file's or a folder's pending writes on the disk. A file system that cannot (EINVAL)
// keeps nothing to put there.
SetFileError sync(int fd) {
  if (::fsync(fd) == 0 || errno == EINVAL) return SetFileError::None;
  return reason_of(errno);
}

// The folder holding `name`.
std::string folder_of(const std::string& name) {
  const std::size_t slash = name.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : name.substr(0, slash);
}

// Whether the immutable or the append-only flag (chattr +i, +a) is set on `name`, which forbids
// renaming over it; statx reports the flags without opening the file, where the file system
// keeps them.
bool marked_unchangeable(const std::string& name) {
  struct statx info {};
  if (::statx(AT_FDCWD, name.c_str(), AT_SYMLINK_NOFOLLOW, 0, &info) != 0) return false;
  return (info.stx_attributes & info.stx_attributes_mask &
          (STATX_ATTR_IMMUTABLE | STATX_ATTR_APPEND)) != 0;
}

// In a sticky folder only the owner of a file, the owner of the folder or the superuser may
// remove or replace the file.
bool may_replace_in_folder_of(const std::string& name, uid_t owner) {
  struct stat folder {};
  if (::stat(folder_of(name).c_str(), &folder) != 0 || (folder.st_mode & S_ISVTX) == 0) return true;
  const uid_t me = ::geteuid();
  return me == 0 || me == owner || me == folder.st_uid;
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
  SetFileError open_lock(const std::string& folder, FileHandle& lock) override {
    const int fd = open_retrying(folder, O_RDONLY | O_DIRECTORY);
    if (fd < 0) return reason_of(errno);
    lock = fd;
    return SetFileError::None;
  }

  FolderLock take_lock(FileHandle lock, bool wait) override {
    const int operation = wait ? LOCK_EX : LOCK_EX | LOCK_NB;
    int result = 0;
    while ((result = ::flock(static_cast<int>(lock), operation)) != 0 && errno == EINTR) {
    }
    if (result == 0) return FolderLock::Held;
    return errno == EWOULDBLOCK ? FolderLock::Busy : FolderLock::Unsupported;
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
    const SetFileError synced = sync(static_cast<int>(handle));
    const bool closed = ::close(static_cast<int>(handle)) == 0 || errno == EINTR;
    if (synced != SetFileError::None) return synced;
    return closed ? SetFileError::None : reason_of(errno);
  }

  SetFileError sync_folder(const std::string& folder) override {
    const int fd = open_retrying(folder, O_RDONLY | O_DIRECTORY);
    if (fd < 0) return reason_of(errno);
    const SetFileError synced = sync(fd);
    ::close(fd);
    return synced;
  }

  // What would refuse the rename over `name`: a folder, an immutable or append-only flag, a
  // sticky folder that lets only a file's owner replace it, or aleta writing its report there
  // (it holds an flock). A pipe or a device is not opened (it could block), and is replaced like
  // any name.
  FinalName final_name(const std::string& name) override {
    struct stat info {};
    if (::lstat(name.c_str(), &info) != 0) return FinalName::Free;
    if (S_ISDIR(info.st_mode)) return FinalName::Folder;
    if (marked_unchangeable(name)) return FinalName::Protected;
    if (!may_replace_in_folder_of(name, info.st_uid)) return FinalName::OwnedByOther;
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

  SetFileError list(const std::string& folder, std::vector<std::string>& names) override {
    DIR* entries = ::opendir(folder.c_str());
    if (entries == nullptr) return reason_of(errno);
    names.clear();
    while (const dirent* entry = ::readdir(entries)) {
      const std::string name = entry->d_name;
      if (name != "." && name != "..") names.push_back(name);
    }
    ::closedir(entries);
    return SetFileError::None;
  }

  // Opened without following a link or waiting on a pipe; only a regular file is read.
  SetFileError read(const std::string& name, std::size_t limit, std::string& bytes) override {
    const int fd = open_retrying(name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK);
    if (fd < 0) return errno == ELOOP ? SetFileError::InvalidName : reason_of(errno);
    struct stat info {};
    SetFileError error = SetFileError::None;
    if (::fstat(fd, &info) != 0) {
      error = reason_of(errno);
    } else if (!S_ISREG(info.st_mode) || static_cast<std::uint64_t>(info.st_size) > limit) {
      error = SetFileError::InvalidName;
    }
    bytes.clear();
    char buffer[4096];
    for (ssize_t got = 1; error == SetFileError::None && got > 0;) {
      got = posix::read_once(fd, buffer, sizeof buffer);
      if (got < 0) error = reason_of(errno);
      if (got > 0) bytes.append(buffer, static_cast<std::size_t>(got));
      if (bytes.size() > limit) error = SetFileError::InvalidName;
    }
    ::close(fd);
    return error;
  }
};

}  // namespace

FolderFiles& native_folder_files() {
  static PosixFolderFiles files;
  return files;
}

}  // namespace platform
