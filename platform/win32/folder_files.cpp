#include "platform/folder_files.h"

#include <windows.h>

#include <algorithm>

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

// Windows drops a trailing dot or space from each name on a path (not from "." and ".."), so
// that "dados." would be created as "dados"; a path given as \\?\... is taken as it is.
bool altered_by_windows(const std::wstring& path) {
  if (path.rfind(L"\\\\?\\", 0) == 0) return false;
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = std::min(path.find_first_of(L"/\\", start), path.size());
    const std::wstring part = path.substr(start, end - start);
    const bool special = part.empty() || part == L"." || part == L"..";
    if (!special && (part.back() == L'.' || part.back() == L' ')) return true;
    if (end == path.size()) return false;
    start = end + 1;
  }
}

bool is_folder(const std::wstring& name) {
  const DWORD attributes = GetFileAttributesW(name.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

class Win32FolderFiles final : public FolderFiles {
 public:
  SetFileError make_folder(const std::string& folder) override {
    if (folder.empty()) return SetFileError::InvalidName;
    const std::wstring name = wide_from_utf8(folder);
    if (altered_by_windows(name)) return SetFileError::AlteredName;
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
  SetFileError open_lock(const std::string& folder, FileHandle& lock) override {
    const std::wstring name = wide_from_utf8(folder + "/.aleta-malhas.trava");
    const HANDLE opened = CreateFileW(name.c_str(), GENERIC_READ | GENERIC_WRITE,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_HIDDEN, nullptr);
    if (opened == INVALID_HANDLE_VALUE) return reason_of(GetLastError());
    lock = reinterpret_cast<FileHandle>(opened);
    return SetFileError::None;
  }

  FolderLock take_lock(FileHandle lock, bool wait) override {
    OVERLAPPED from_start{};
    const DWORD flags = LOCKFILE_EXCLUSIVE_LOCK | (wait ? 0 : LOCKFILE_FAIL_IMMEDIATELY);
    if (LockFileEx(handle_of(lock), flags, 0, MAXDWORD, MAXDWORD, &from_start)) {
      return FolderLock::Held;
    }
    const DWORD error = GetLastError();
    return error == ERROR_LOCK_VIOLATION || error == ERROR_IO_PENDING ? FolderLock::Busy
                                                                      : FolderLock::Unsupported;
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
    const DWORD flushed = FlushFileBuffers(handle_of(handle)) ? NO_ERROR : GetLastError();
    const DWORD closed = CloseHandle(handle_of(handle)) ? NO_ERROR : GetLastError();
    return reason_of(flushed != NO_ERROR ? flushed : closed);
  }

  // NTFS logs its changes of folders itself, and each rename is made with MOVEFILE_WRITE_THROUGH;
  // a folder opened for writing is flushed too where the file system allows it.
  SetFileError sync_folder(const std::string& folder) override {
    const HANDLE opened =
        CreateFileW(wide_from_utf8(folder).c_str(), GENERIC_READ | GENERIC_WRITE,
                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                    FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (opened != INVALID_HANDLE_VALUE) {
      (void)FlushFileBuffers(opened);
      CloseHandle(opened);
    }
    return SetFileError::None;
  }

  // A rename cannot replace a file that any other program has open, whatever it shares (a
  // viewer or a virus scanner sharing its removal too; aleta writing its report), nor a
  // read-only one. Opening the file for removal and sharing nothing tells the first.
  FinalName final_name(const std::string& name) override {
    const std::wstring wide = wide_from_utf8(name);
    const DWORD attributes = GetFileAttributesW(wide.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return FinalName::Free;
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return FinalName::Folder;
    if ((attributes & FILE_ATTRIBUTE_READONLY) != 0) return FinalName::Protected;
    const HANDLE opened = CreateFileW(wide.c_str(), DELETE, 0, nullptr, OPEN_EXISTING,
                                      FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (opened != INVALID_HANDLE_VALUE) {
      CloseHandle(opened);
      return FinalName::Free;
    }
    switch (GetLastError()) {
      case ERROR_SHARING_VIOLATION:
      case ERROR_LOCK_VIOLATION: return FinalName::HeldByOther;
      case ERROR_ACCESS_DENIED: return FinalName::Denied;
      default: return FinalName::Free;
    }
  }

  SetFileError replace(const std::string& from, const std::string& to) override {
    return MoveFileExW(wide_from_utf8(from).c_str(), wide_from_utf8(to).c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)
               ? SetFileError::None
               : reason_of(GetLastError());
  }

  void remove(const std::string& name) override { (void)DeleteFileW(wide_from_utf8(name).c_str()); }

  SetFileError list(const std::string& folder, std::vector<std::string>& names) override {
    WIN32_FIND_DATAW entry;
    const HANDLE search = FindFirstFileW(wide_from_utf8(folder + "/*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return reason_of(GetLastError());
    names.clear();
    do {
      const std::string name = win32::utf8_from_wide(entry.cFileName);
      if (name != "." && name != "..") names.push_back(name);
    } while (FindNextFileW(search, &entry));
    FindClose(search);
    return SetFileError::None;
  }

  // A link is opened as itself, and only a disk file is read.
  SetFileError read(const std::string& name, std::size_t limit, std::string& bytes) override {
    const HANDLE opened = CreateFileW(wide_from_utf8(name).c_str(), GENERIC_READ, FILE_SHARE_READ,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (opened == INVALID_HANDLE_VALUE) return reason_of(GetLastError());
    LARGE_INTEGER size{};
    SetFileError error = SetFileError::None;
    if (GetFileType(opened) != FILE_TYPE_DISK || !GetFileSizeEx(opened, &size) ||
        static_cast<unsigned long long>(size.QuadPart) > limit) {
      error = SetFileError::InvalidName;
    }
    bytes.assign(error == SetFileError::None ? static_cast<std::size_t>(size.QuadPart) : 0, '\0');
    DWORD got = 0;
    if (!bytes.empty() &&
        (!ReadFile(opened, &bytes[0], static_cast<DWORD>(bytes.size()), &got, nullptr) ||
         got != bytes.size())) {
      error = SetFileError::Other;
    }
    CloseHandle(opened);
    return error;
  }
};

}  // namespace

FolderFiles& native_folder_files() {
  static Win32FolderFiles files;
  return files;
}

}  // namespace platform
