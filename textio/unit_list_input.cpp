// The list-directed reader on a connected unit: its bytes come through the unit's buffer.
#include "textio/list_input.h"
#include "textio/list_reader.h"
#include "textio/units.h"

namespace textio {
namespace {

class UnitInput final : public ByteSource {
 public:
  void attach(UnitRecord& unit) { unit_ = &unit; }
  unsigned char next_byte() override { return next_input_byte(*unit_); }
  void skip_to_next_record() override { textio::skip_to_next_record(*unit_); }
  std::string_view file_name() const override { return unit_file_name(*unit_); }

 private:
  UnitRecord* unit_ = nullptr;
};

UnitInput unit_input;

}  // namespace

void begin_list_read(int unit) {
  unit_input.attach(connected_unit(unit));
  begin_list_read(unit_input);
}

}  // namespace textio
