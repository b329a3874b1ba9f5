#pragma once
// Where the list-directed reader takes its bytes from: a file opened for reading (InputFile),
// anything that behaves like one in tests.
#include <memory>
#include <string>
#include <string_view>

#include "platform/files.h"
#include "process/run_time_error_report.h"

namespace textio {

struct UnitRecord;

// A byte of a source, or the run-time error that leaves it none.
struct SourceByte {
  unsigned char value = 0;
  const process::RunTimeError* error = nullptr;
};

class ByteSource {
 public:
  // The next byte. An unterminated last record ends with an LF; after that the source has
  // run-time error 6501 (end of file), and 6500 when the system fails a read.
  virtual SourceByte next_byte() = 0;
  // The file named in the run-time errors of the read.
  virtual std::string_view file_name() const = 0;

 protected:
  ~ByteSource() = default;
};

// A file of its own, opened for reading values: a program's input file read by a library,
// which neither connects a unit of the process nor ends the run on an error.
class InputFile final : public ByteSource {
 public:
  // `name` opened through `files` as open_unit opens a file (a missing one is created empty),
  // taken as a path as it stands: no blanks dropped, no device names. The error of the open when
  // it fails.
  static process::ValueOrError<InputFile> open(platform::FileSystem& files, std::string_view name);

  InputFile(InputFile&&) noexcept;
  InputFile& operator=(InputFile&&) noexcept;
  ~InputFile();

  SourceByte next_byte() override;
  std::string_view file_name() const override;

 private:
  explicit InputFile(std::unique_ptr<UnitRecord> record);
  std::unique_ptr<UnitRecord> record_;
};

}  // namespace textio
