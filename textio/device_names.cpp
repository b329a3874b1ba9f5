#include "textio/device_names.h"

#include <cctype>

#include "platform/files.h"

namespace textio {
namespace {

constexpr std::string_view kReservedNames[] = {"CON",  "USER", "PRN",  "COM1", "COM2",
                                               "COM3", "COM4", "LPT1", "LPT2", "LPT3",
                                               "LPT4", "NUL",  "AUX",  "ERR",  "LINE"};

std::string upper_case(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return upper;
}

bool is_reserved(const std::string& name) {
  for (std::string_view reserved : kReservedNames) {
    if (name == reserved) return true;
  }
  return false;
}

// The console is the standard output and ERR the standard error stream. The serial ports and
// printers are opened by their own names: the devices on Windows, files of those names in the
// current directory on POSIX systems, which have no such devices.
Device device_for(const std::string& reserved) {
  if (reserved == "CON" || reserved == "USER") return {Device::Target::StandardOutput, "", "CON"};
  if (reserved == "ERR") return {Device::Target::StandardError, "", "ERR"};
  if (reserved == "NUL") return {Device::Target::File, platform::null_device_name(), "NUL"};
  if (reserved == "AUX" || reserved == "LINE") return {Device::Target::File, "COM1", "COM1"};
  return {Device::Target::File, reserved, reserved};
}

}  // namespace

std::optional<Device> device_named(std::string_view name) {
  const std::size_t period = name.rfind('.');
  const bool has_extension = period != std::string_view::npos;
  const std::string_view stem = has_extension ? name.substr(0, period) : name;
  if (stem.size() != 3 && stem.size() != 4) return std::nullopt;
  const std::string reserved = upper_case(stem);
  if (!is_reserved(reserved)) return std::nullopt;
  if (has_extension && (reserved[0] == 'E' || reserved[0] == 'L' || reserved[0] == 'U')) {
    return std::nullopt;
  }
  return device_for(reserved);
}

}  // namespace textio
