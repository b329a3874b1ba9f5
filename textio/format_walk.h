#pragma once
// Executes one write statement: walks its format, placing literals and converted values into
// records. Where the records go is the sink's business, so the walk can run without a file.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace textio {

// A value handed to a write statement.
struct WriteValue {
  enum class Kind { Real, Integer };
  Kind kind;
  double real = 0;
  std::int32_t integer = 0;
};

// Receives the bytes of the records in order.
class RecordSink {
 public:
  virtual ~RecordSink() = default;
  virtual void put(const char* bytes, std::size_t count) = 0;
  virtual void end_record() = 0;
};

// Converts every value with the data descriptor the walk reaches for it, performing the items
// in between, then performs the items after the last value up to the next data descriptor or
// the end of the format, and ends the record. A value that meets a descriptor of the other
// kind fills that field with asterisks; values left when the format ends are not written.
void execute_format(std::string_view format, const std::vector<WriteValue>& values,
                    RecordSink& sink);

}  // namespace textio
