#pragma once
// List-directed value reader: free-form values separated by blanks, commas or line ends, with
// repeat counts, null values, quoted text and a slash that ends the list.
#include <cstdint>

namespace textio {

void begin_list_read(int unit);
void read_integer_item(std::int32_t& target);
void read_real_item(double& target);
// `target` holds `length` bytes, blank-padded.
void read_character_item(char* target, int length);
// Ends the read operation: the unit moves to the start of the next record.
void end_read();

}  // namespace textio
