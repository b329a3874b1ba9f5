// The write statement as the program issues it: values are collected until write_end, which
// executes the format into the unit's buffer.
#include "textio/record_writer.h"

#include "textio/unit_output.h"

namespace textio {
namespace {

class UnitSink : public RecordSink {
 public:
  explicit UnitSink(UnitRecord& unit) : unit_(unit) {}
  void put(const char* bytes, std::size_t count) override { put_output(unit_, bytes, count); }
  void end_record() override { end_output_record(unit_); }

 private:
  UnitRecord& unit_;
};

}  // namespace

void RecordWriter::write_begin(std::string_view format) {
  format_ = format;
  values_.clear();
}

void RecordWriter::write_real(double value) {
  values_.push_back({WriteValue::Kind::Real, value, 0});
}

void RecordWriter::write_integer(std::int32_t value) {
  values_.push_back({WriteValue::Kind::Integer, 0, value});
}

void RecordWriter::write_end() {
  // A unit still reading has its file cut here, so the first statement replaces an old file.
  start_writing(unit_);
  UnitSink sink(unit_);
  walker_.execute(format_, values_, sink);
}

}  // namespace textio
