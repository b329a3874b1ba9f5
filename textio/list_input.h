#pragma once
// Where the list-directed reader takes its bytes from: a connected unit in the program
// (UnitInput), anything that behaves like one in tests.
#include <string_view>

namespace textio {

struct UnitRecord;

class ByteSource {
 public:
  // The next byte. An unterminated last record ends with an LF; after that the source raises
  // run-time error 6501 (end of file) itself.
  virtual unsigned char next_byte() = 0;
  // Takes bytes through the next LF, which is consumed.
  virtual void skip_to_next_record() = 0;
  // The file named in the run-time errors of the read.
  virtual std::string_view file_name() const = 0;

 protected:
  ~ByteSource() = default;
};

// The bytes of a connected unit, through its buffer.
class UnitInput final : public ByteSource {
 public:
  explicit UnitInput(UnitRecord& unit) : unit_(unit) {}
  unsigned char next_byte() override;
  void skip_to_next_record() override;
  std::string_view file_name() const override;

 private:
  UnitRecord& unit_;
};

}  // namespace textio
