#pragma once
// The reserved names that denote devices rather than disk files.
#include <optional>
#include <string>
#include <string_view>

namespace textio {

struct Device {
  enum class Target { File, StandardOutput, StandardError };
  Target target = Target::File;
  std::string file_name;   // what is opened, for Target::File
  std::string shown_name;  // the unit's name in messages
};

// The device `name` denotes, if any. The part before the last period must be one of the
// reserved names (any case); with an extension, names beginning with E, L or U stay files.
std::optional<Device> device_named(std::string_view name);

}  // namespace textio
