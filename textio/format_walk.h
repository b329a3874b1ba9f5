#pragma once
// Executes one write statement: walks its format, placing literals and converted values into
// records. Where the records go is the sink's business, so the walk can run without a file.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "textio/format_scanner.h"

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

// Executes write statements. It keeps the items of the last format it executed, in the order
// they are performed: a report repeats one format for every row of its iteration table, and
// scanning the text is most of the cost of such a short statement.
class FormatWalker {
 public:
  // Converts every value with the data descriptor the walk reaches for it, performing the items
  // in between, then performs the items after the last value up to the next data descriptor or
  // the end of the format, and ends the record. A value that meets a descriptor of the other
  // kind fills that field with asterisks; values left when the format ends are not written.
  void execute(std::string_view format, const std::vector<WriteValue>& values, RecordSink& sink);

 private:
  // Only formats of a few hundred items are kept, so that a group repeated thousands of times
  // cannot make the copy larger than the work of walking it.
  static constexpr std::size_t kMostItems = 512;

  // Makes `format` the one kept, unless it already is; false when it performs too many items.
  bool keep(std::string_view format);

  bool scanned_ = false;
  bool kept_ = false;
  std::string text_;
  std::vector<FormatItem> items_;  // the last one is the format's end
  std::string field_;              // keeps its capacity from one statement to the next
};

}  // namespace textio
