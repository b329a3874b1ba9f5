#pragma once
// Where the list-directed reader takes its bytes from: a connected unit in the program (see
// begin_list_read(int)), anything that behaves like one in tests.
#include <string_view>

namespace textio {

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

// Starts a read operation that takes its bytes from `source`, which must outlive it; the items
// and end_read of list_reader.h then work on it.
void begin_list_read(ByteSource& source);

}  // namespace textio
