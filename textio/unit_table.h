#pragma once
// The table of connected units: 61 slots, filled from the first free one.
#include <memory>
#include <string_view>
#include <vector>

#include "platform/files.h"
#include "textio/unit_record.h"

namespace textio {

constexpr int kUnitSlots = 61;

// The unit connected as `number`, or null.
UnitRecord* find_unit(int number);

// The unit connected to the file with `identity`, or null.
UnitRecord* find_unit_on(const platform::FileIdentity& identity);

bool has_free_unit_slot();

// Puts the unit into the first free slot; there must be one.
void attach_unit(std::unique_ptr<UnitRecord> unit);

// Takes the unit out of the table, leaving it not connected; null when it was not.
std::unique_ptr<UnitRecord> detach_unit(int number);

// The numbers of the connected units, in slot order.
std::vector<int> connected_unit_numbers();

// The name of the file the unit is connected to, as the open used it.
std::string_view unit_file_name(const UnitRecord& unit);

}  // namespace textio
