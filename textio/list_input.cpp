// The list-directed reader on a file of its own: its bytes come through a unit record's buffer,
// as a connected unit's do, with no unit number.
#include "textio/list_input.h"

#include <new>
#include <utility>

#include "textio/file_connection.h"
#include "textio/unit_input.h"
#include "textio/unit_record.h"

namespace textio {

process::ValueOrError<InputFile> InputFile::open(platform::FileSystem& files,
                                                 std::string_view name) {
  const std::string path(name);
  std::unique_ptr<UnitRecord> record;
  try {
    record = std::make_unique<UnitRecord>();
    record->buffer.resize(kDiskBufferSize);
  } catch (const std::bad_alloc&) {
    return process::RunTimeErrorReport(process::kNoUnitStorage, process::Operation::Open, name);
  }
  record->files = &files;
  record->name = path;
  platform::FileStatus status;
  const platform::FileError error = connect_file(*record, path, files.status(path, status));
  if (error != platform::FileError::None) {
    return process::RunTimeErrorReport(open_error(error), process::Operation::Open, name);
  }
  return InputFile(std::move(record));
}

InputFile::InputFile(std::unique_ptr<UnitRecord> record) : record_(std::move(record)) {}
InputFile::InputFile(InputFile&&) noexcept = default;
InputFile& InputFile::operator=(InputFile&&) noexcept = default;
InputFile::~InputFile() = default;

SourceByte InputFile::next_byte() { return read_input_byte(*record_); }
std::string_view InputFile::file_name() const { return record_->name; }

}  // namespace textio
