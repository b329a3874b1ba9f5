#pragma once
// Format-driven record writer: one write statement renders its values through a format such as
// "(1P,E25.15,T30,' = Tb')" into records of a connected unit.
#include <cstdint>
#include <string_view>
#include <vector>

#include "textio/format_walk.h"

namespace textio {

struct UnitRecord;

// The write statements of one unit, one after the other.
class RecordWriter {
 public:
  explicit RecordWriter(UnitRecord& unit) : unit_(unit) {}

  // Starts a write statement with `format` (kept by reference until write_end).
  void write_begin(std::string_view format);
  void write_real(double value);
  void write_integer(std::int32_t value);
  // Executes the statement: every record is passed to the unit's buffer.
  void write_end();

 private:
  UnitRecord& unit_;
  std::string_view format_;
  std::vector<WriteValue> values_;
  FormatWalker walker_;
};

}  // namespace textio
