// The write statement as the program issues it: values are collected until write_end, which
// executes the format into the unit's buffer.
#include "textio/record_writer.h"

#include <vector>

#include "textio/format_walk.h"
#include "textio/units.h"

namespace textio {
namespace {

struct Statement {
  int unit = 0;
  std::string_view format;
  std::vector<WriteValue> values;
};

Statement statement;

class UnitSink : public RecordSink {
 public:
  explicit UnitSink(UnitRecord& unit) : unit_(unit) {}
  void put(const char* bytes, std::size_t count) override { put_output(unit_, bytes, count); }
  void end_record() override { end_output_record(unit_); }

 private:
  UnitRecord& unit_;
};

}  // namespace

void write_begin(int unit, std::string_view format) {
  statement.unit = unit;
  statement.format = format;
  statement.values.clear();
}

void write_real(double value) {
  statement.values.push_back({WriteValue::Kind::Real, value, 0});
}

void write_integer(std::int32_t value) {
  statement.values.push_back({WriteValue::Kind::Integer, 0, value});
}

void write_end() {
  UnitRecord& unit = connected_unit(statement.unit);
  // A unit still reading has its file cut here, so the first statement replaces an old file.
  start_writing(unit);
  UnitSink sink(unit);
  execute_format(statement.format, statement.values, sink);
}

}  // namespace textio
