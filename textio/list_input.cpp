// The list-directed reader on a connected unit: its bytes come through the unit's buffer.
#include "textio/list_input.h"
#include "textio/unit_record.h"
#include "textio/unit_input.h"

namespace textio {

unsigned char UnitInput::next_byte() { return next_input_byte(unit_); }
void UnitInput::skip_to_next_record() { textio::skip_to_next_record(unit_); }
std::string_view UnitInput::file_name() const { return unit_.name; }

}  // namespace textio
