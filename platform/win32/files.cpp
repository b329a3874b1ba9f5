#include "platform/files.h"

#include <windows.h>

#include "platform/win32/device_paths.h"
#include "platform/win32/handle_io.h"

namespace platform {
namespace {

FileError reason_of(DWORD error) {
  switch (error) {
    case NO_ERROR: return FileError::None;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME: return FileError::NotFound;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_WRITE_PROTECT: return FileError::AccessDenied;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS: return FileError::AlreadyExists;
    case ERROR_INVALID_NAME:
    case ERROR_INVALID_PARAMETER:
    case ERROR_BAD_PATHNAME:
    case ERROR_FILENAME_EXCED_RANGE:
    case ERROR_DIRECTORY: return FileError::InvalidName;
    case ERROR_TOO_MANY_OPEN_FILES: return FileError::TooManyOpen;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return FileError::DiskFull;
    default: return FileError::Other;
  }
}

HANDLE handle_of(FileHandle handle) { return reinterpret_cast<HANDLE>(handle); }

DWORD desired_access(FileAccess access) {
  switch (access) {
    case FileAccess::ReadWrite: return GENERIC_READ | GENERIC_WRITE;
    case FileAccess::ReadOnly: return GENERIC_READ;
    case FileAccess::WriteOnly: return GENERIC_WRITE;
  }
  return 0;
}

// Devices and pipes have no file identity: their status carries a zero identity, which never
// matches that of a disk file.
bool status_of(HANDLE handle, FileStatus& status) {
  status = FileStatus{};
  BY_HANDLE_FILE_INFORMATION info{};
  const bool disk = GetFileType(handle) == FILE_TYPE_DISK;
  if (disk && !GetFileInformationByHandle(handle, &info)) return false;
  if (!disk) return true;
  status.identity.volume = info.dwVolumeSerialNumber;
  status.identity.file = (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
  status.regular = (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
  if (status.regular) {
    status.size = (static_cast<std::uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
  }
  return true;
}

FileError seek_to(HANDLE handle, std::uint64_t offset) {
  LARGE_INTEGER distance;
  distance.QuadPart = static_cast<LONGLONG>(offset);
  return SetFilePointerEx(handle, distance, nullptr, FILE_BEGIN) ? FileError::None
                                                                  : reason_of(GetLastError());
}

class Win32FileSystem final : public FileSystem {
 public:
  bool status(const std::string& name, FileStatus& status) override {
    // No access rights are asked for: only the attributes are read, even of a locked file.
    const HANDLE handle = CreateFileA(win32::native_path(name).c_str(), 0,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return false;
    const bool known = status_of(handle, status);
    CloseHandle(handle);
    return known;
  }

  bool status(FileHandle handle, FileStatus& status) override {
    return status_of(handle_of(handle), status);
  }

  // The handle is not inheritable, so the editor started later does not hold the file. A
  // directory cannot be opened without backup semantics: it is refused as access denied.
  FileError open(const std::string& name, OpenMode mode, FileAccess access,
                 FileHandle& handle) override {
    const HANDLE opened = CreateFileA(
        win32::native_path(name).c_str(), desired_access(access),
        FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
        mode == OpenMode::CreateNew ? CREATE_NEW : OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (opened == INVALID_HANDLE_VALUE) return reason_of(GetLastError());
    handle = reinterpret_cast<FileHandle>(opened);
    return FileError::None;
  }

  FileError read(FileHandle handle, char* bytes, std::size_t count, std::size_t& got) override {
    DWORD n = 0;
    got = 0;
    if (ReadFile(handle_of(handle), bytes, static_cast<DWORD>(count), &n, nullptr)) {
      got = n;
      return FileError::None;
    }
    // The writer of a pipe has gone: that is the end of its data, not a failure.
    const DWORD error = GetLastError();
    return error == ERROR_BROKEN_PIPE || error == ERROR_HANDLE_EOF ? FileError::None
                                                                   : reason_of(error);
  }

  FileError write(FileHandle handle, const char* bytes, std::size_t count) override {
    return reason_of(win32::write_fully(handle_of(handle), bytes, count));
  }

  FileError seek(FileHandle handle, std::uint64_t offset) override {
    return seek_to(handle_of(handle), offset);
  }

  FileError truncate(FileHandle handle, std::uint64_t offset) override {
    const FileError error = seek_to(handle_of(handle), offset);
    if (error != FileError::None) return error;
    if (SetEndOfFile(handle_of(handle))) return FileError::None;
    // Wine refuses a handle without write access as an invalid parameter, Windows as denied.
    const DWORD failure = GetLastError();
    return failure == ERROR_INVALID_PARAMETER ? FileError::AccessDenied : reason_of(failure);
  }

  // The largest range there is, from the first byte: the whole file, however long it grows. A
  // file system without locks refuses the call, and the file is then written without a lock.
  void lock(FileHandle handle) override {
    OVERLAPPED from_start{};
    (void)LockFileEx(handle_of(handle), LOCKFILE_EXCLUSIVE_LOCK, 0, MAXDWORD, MAXDWORD,
                     &from_start);
  }

  void close(FileHandle handle) override { CloseHandle(handle_of(handle)); }
};

}  // namespace

FileSystem& native_file_system() {
  static Win32FileSystem files;
  return files;
}

FileHandle standard_output_handle() {
  return reinterpret_cast<FileHandle>(GetStdHandle(STD_OUTPUT_HANDLE));
}
FileHandle standard_error_handle() {
  return reinterpret_cast<FileHandle>(GetStdHandle(STD_ERROR_HANDLE));
}
const char* null_device_name() { return "NUL"; }

}  // namespace platform
