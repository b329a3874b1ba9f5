#pragma once
// The record of one connected unit: its file, its buffer and its state.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/files.h"

namespace textio {

constexpr std::size_t kDiskBufferSize = 1024;
constexpr std::size_t kDeviceBufferSize = 132;

struct UnitRecord {
  int number = 0;
  platform::FileSystem* files = nullptr;  // where the file was opened, and is read and written
  std::string name;  // as opened, after trimming; "CON" for the console
  platform::FileHandle handle = 0;
  bool owns_handle = false;  // false for the standard streams, which are never closed
  bool device = false;           // the first character of each output record is a control
  bool regular_file = false;     // a disk file, which may be cut; devices and pipes never are
  bool has_identity = false;
  platform::FileIdentity identity;

  // Reading: bytes [0, filled) hold a block read from the file starting at `block_start`, of
  // which the first `block_real` came from the file (an LF may follow them) and `next` is the
  // next to deliver. Writing: bytes [0, next) are output not yet in the file, which goes at
  // `block_start`.
  std::vector<char> buffer;
  std::size_t next = 0;
  std::size_t filled = 0;
  std::size_t block_real = 0;
  std::uint64_t block_start = 0;

  bool writing = false;
  bool at_record_start = true;  // no byte of the current output record has come yet

  UnitRecord() = default;
  UnitRecord(const UnitRecord&) = delete;
  UnitRecord& operator=(const UnitRecord&) = delete;
  // Closes the handle, whatever way the record is let go of.
  ~UnitRecord();
};

}  // namespace textio
