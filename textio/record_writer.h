#pragma once
// Format-driven record writer: one write statement renders its values through a format such as
// "(1P,E25.15,T30,' = Tb')" into records of a connected unit.
#include <cstdint>
#include <string_view>

namespace textio {

// Starts a write statement on `unit` with `format` (kept by reference until write_end).
void write_begin(int unit, std::string_view format);
void write_real(double value);
void write_integer(std::int32_t value);
// Executes the statement: every record is passed to the unit's buffer.
void write_end();

}  // namespace textio
