#include "textio/unit_table.h"

#include <array>
#include <utility>


namespace textio {
namespace {

std::array<std::unique_ptr<UnitRecord>, kUnitSlots> slots;

std::unique_ptr<UnitRecord>* slot_of(int number) {
  for (auto& slot : slots) {
    if (slot && slot->number == number) return &slot;
  }
  return nullptr;
}

}  // namespace

UnitRecord* find_unit(int number) {
  auto* slot = slot_of(number);
  return slot != nullptr ? slot->get() : nullptr;
}

UnitRecord* find_unit_on(const platform::FileIdentity& identity) {
  for (auto& slot : slots) {
    if (slot && slot->has_identity && slot->identity == identity) return slot.get();
  }
  return nullptr;
}

bool has_free_unit_slot() {
  for (auto& slot : slots) {
    if (!slot) return true;
  }
  return false;
}

void attach_unit(std::unique_ptr<UnitRecord> unit) {
  for (auto& slot : slots) {
    if (!slot) {
      slot = std::move(unit);
      return;
    }
  }
}

std::unique_ptr<UnitRecord> detach_unit(int number) {
  auto* slot = slot_of(number);
  return slot != nullptr ? std::move(*slot) : nullptr;
}

std::vector<int> connected_unit_numbers() {
  std::vector<int> numbers;
  for (auto& slot : slots) {
    if (slot) numbers.push_back(slot->number);
  }
  return numbers;
}

std::string_view unit_file_name(const UnitRecord& unit) { return unit.name; }

}  // namespace textio
