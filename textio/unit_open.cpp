// Connecting a unit to a file: the open with status "UNKNOWN", access "READWRITE" and every
// other property at its default.
#include <memory>
#include <new>
#include <optional>
#include <string>

#include "process/run_time_error.h"
#include "textio/device_names.h"
#include "textio/file_connection.h"
#include "textio/file_name.h"
#include "textio/unit_table.h"
#include "textio/unit_close.h"
#include "textio/unit_open.h"

namespace textio {
namespace {

using platform::FileError;
using process::Operation;

constexpr int kLowestUnit = -32767;
constexpr int kHighestUnit = 32767;

std::unique_ptr<UnitRecord> new_unit_record(platform::FileSystem& files, int number, bool device,
                                            const std::string& given) {
  try {
    auto unit = std::make_unique<UnitRecord>();
    unit->number = number;
    unit->files = &files;
    unit->device = device;
    unit->buffer.resize(device ? kDeviceBufferSize : kDiskBufferSize);
    return unit;
  } catch (const std::bad_alloc&) {
    process::raise_run_time_error(process::kNoUnitStorage, Operation::Open, given);
  }
}

// Connects a device; the console and the error stream use the process's own handles.
void connect_stream(UnitRecord& unit, const Device& device) {
  unit.name = device.shown_name;
  unit.handle = device.target == Device::Target::StandardOutput
                    ? platform::standard_output_handle()
                    : platform::standard_error_handle();
}

// Settles the connections already made: the unit when it is already connected to the file,
// which the open then leaves as it is. A unit on another file is closed first; a file that
// another unit holds is refused.
UnitRecord* already_connected(int number, const platform::FileStatus* file,
                              const std::string& given) {
  if (UnitRecord* current = find_unit(number)) {
    if (file != nullptr && current->has_identity && current->identity == file->identity) {
      return current;
    }
    close_unit(number);
  }
  if (file != nullptr && find_unit_on(file->identity) != nullptr) {
    process::raise_run_time_error(process::kAlreadyConnected, Operation::Open, given);
  }
  return nullptr;
}

}  // namespace

UnitRecord& open_unit(platform::FileSystem& files, int number, const char* name, int length) {
  std::string given = trimmed_file_name(name, length > 0 ? static_cast<std::size_t>(length) : 0);
  if (given.empty()) given = name_for_blank_open(number);
  if (number < kLowestUnit || number > kHighestUnit) {
    process::raise_run_time_error(process::kInvalidOpen, Operation::Open, given);
  }

  const std::optional<Device> device = device_named(given);
  const bool is_stream = device && device->target != Device::Target::File;
  const std::string path = device ? device->file_name : given;
  platform::FileStatus status;
  const bool exists = !is_stream && files.status(path, status);

  if (UnitRecord* same = already_connected(number, exists ? &status : nullptr, given)) return *same;
  // Checked before the file is touched, so that a refused open creates no file.
  if (!has_free_unit_slot()) process::raise_run_time_error(process::kTooManyUnits, Operation::Open, given);

  std::unique_ptr<UnitRecord> unit = new_unit_record(files, number, device.has_value(), given);
  if (is_stream) {
    connect_stream(*unit, *device);
  } else {
    unit->name = device ? device->shown_name : given;
    const FileError error = connect_file(*unit, path, exists);
    if (error != FileError::None) {
      process::raise_run_time_error(open_error(error), Operation::Open, given);
    }
    unit->writing = !exists;  // a unit on the file it created starts in writing state
  }
  UnitRecord& connected = *unit;
  attach_unit(std::move(unit));
  return connected;
}

}  // namespace textio
