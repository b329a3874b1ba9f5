#include "textio/file_connection.h"

namespace textio {

using platform::FileAccess;
using platform::FileError;

const process::RunTimeError& open_error(FileError error) {
  switch (error) {
    case FileError::NotFound: return process::kFileNotFound;
    case FileError::AccessDenied: return process::kAccessDenied;
    case FileError::AlreadyExists: return process::kFileExists;
    case FileError::TooManyOpen: return process::kTooManyOpenFiles;
    default: return process::kInvalidOpen;  // an invalid name, and every reason without its own
  }
}

FileError connect_file(UnitRecord& unit, const std::string& path, bool exists) {
  const platform::OpenMode mode = exists ? platform::OpenMode::Existing : platform::OpenMode::CreateNew;
  FileError error = FileError::None;
  for (FileAccess access : {FileAccess::ReadWrite, FileAccess::ReadOnly, FileAccess::WriteOnly}) {
    error = unit.files->open(path, mode, access, unit.handle);
    if (error == FileError::None) break;
  }
  if (error != FileError::None) return error;
  unit.owns_handle = true;
  platform::FileStatus status;
  if (unit.files->status(unit.handle, status)) {
    unit.has_identity = true;
    unit.identity = status.identity;
    unit.regular_file = status.regular;
  }
  return FileError::None;
}

}  // namespace textio
