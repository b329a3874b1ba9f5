#include "platform/folder_files.h"

#include <windows.h>

#include "platform/win32/handle_io.h"
#include "platform/win32/wide_text.h"

namespace platform {
namespace {

using win32::wide_from_utf8;

SetFileError reason_of(DWORD error) {
  switch (error) {
    case NO_ERROR: return SetFileError::None;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME: return SetFileError::NotFound;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_WRITE_PROTECT: return SetFileError::AccessDenied;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS: return SetFileError::AlreadyExists;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return SetFileError::DiskFull;
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_FILENAME_EXCED_RANGE:
    case ERROR_DIRECTORY: return SetFileError::InvalidName;
    default: return SetFileError::Other;
  }
}

HANDLE handle_of(FileHandle handle) { return reinterpret_cast<HANDLE>(handle); }

bool is_folder(const std::wstring& name) {
  const DWORD attributes = GetFileAttributesW(name.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

class Win32FolderFiles final : public FolderFiles {
 public:
  SetFileError make_folder(const std::string& folder) override {
    if (folder.empty()) return SetFileError::InvalidName;
    const std::wstring name = wide_from_utf8(folder);
    // The parents first; a drive or a share that is no folder of its own fails and is passed.
    for (std::size_t at = name.find_first_of(L"/\\", 1); at != std::wstring::npos;
         at = name.find_first_of(L"/\\", at + 1)) {
      const std::wstring parent = name.substr(0, at);
      if (!is_folder(parent)) (void)CreateDirectoryW(parent.c_str(), nullptr);
    }
    if (CreateDirectoryW(name.c_str(), nullptr)) return SetFileError::None;
    const DWORD error = GetLastError();
    if (is_folder(name)) return SetFileError::None;
    return error == ERROR_ALREADY_EXISTS ? SetFileError::NotAFolder : reason_of(error);
  }

  // A folder cannot be locked with LockFileEx: a hidden file in it carries the lock, and stays.
  SetFileError lock_folder(const std::string& folder, FileHandle& lock) override {
    const std::wstring name = wide_from_utf8(folder + "/.aleta-malhas.trava");
    const HANDLE opened = CreateFileW(name.c_str(), GENERIC_READ | GENERIC_WRITE,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_HIDDEN, nullptr);
    if (opened == INVALID_HANDLE_VALUE) return reason_of(GetLastError());
    OVERLAPPED from_start{};
    (void)LockFileEx(opened, LOCKFILE_EXCLUSIVE_LOCK, 0, MAXDWORD, MAXDWORD, &from_start);
    lock = reinterpret_cast<FileHandle>(opened);
    return SetFileError::None;
  }

  void release_folder(FileHandle lock) override { CloseHandle(handle_of(lock)); }

  // Shared for removal, so that an interruption can remove it while it is being written.
  SetFileError create_private(const std::string& name, FileHandle& handle) override {
    const HANDLE opened =
        CreateFileW(wide_from_utf8(name).c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE,
                    nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (opened == INVALID_HANDLE_VALUE) return reason_of(GetLastError());
    handle = reinterpret_cast<FileHandle>(opened);
    return SetFileError::None;
  }

  SetFileError write(FileHandle handle, const char* bytes, std::size_t count) override {
    return reason_of(win32::write_fully(handle_of(handle), bytes, count));
  }

  SetFileError close(FileHandle handle) override {
    return CloseHandle(handle_of(handle)) ? SetFileError::None : reason_of(GetLastError());
  }

  // A file that another program has open without sharing its removal (aleta writing its report,
  // a spreadsheet holding the table) cannot be replaced: asking for the right to remove it tells.
  FinalName final_name(const std::string& name) override {
    const std::wstring wide = wide_from_utf8(name);
    const DWORD attributes = GetFileAttributesW(wide.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return FinalName::Free;
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return FinalName::Folder;
    const HANDLE opened = CreateFileW(wide.c_str(), DELETE,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                      OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (opened != INVALID_HANDLE_VALUE) {
      CloseHandle(opened);
      return FinalName::Free;
    }
    const DWORD error = GetLastError();
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION ? FinalName::HeldByOther
                                                                             : FinalName::Free;
  }

  SetFileError replace(const std::string& from, const std::string& to) override {
    return MoveFileExW(wide_from_utf8(from).c_str(), wide_from_utf8(to).c_str(),
                       MOVEFILE_REPLACE_EXISTING)
               ? SetFileError::None
               : reason_of(GetLastError());
  }

  void remove(const std::string& name) override { (void)DeleteFileW(wide_from_utf8(name).c_str()); }
};

}  // namespace

FolderFiles& native_folder_files() {
  static Win32FolderFiles files;
  return files;
}

}  // namespace platform
