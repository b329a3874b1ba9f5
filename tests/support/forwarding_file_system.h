#pragma once
// A file system that hands every operation to the operating system's files, for tests and fuzz
// targets that change only some of them (failures put in, names kept to a directory).
#include "platform/files.h"

namespace testing_support {

class ForwardingFileSystem : public platform::FileSystem {
 public:
  bool status(const std::string& name, platform::FileStatus& status) override {
    return native().status(name, status);
  }
  bool status(platform::FileHandle handle, platform::FileStatus& status) override {
    return native().status(handle, status);
  }
  platform::FileError open(const std::string& name, platform::OpenMode mode,
                           platform::FileAccess access, platform::FileHandle& handle) override {
    return native().open(name, mode, access, handle);
  }
  platform::FileError read(platform::FileHandle handle, char* bytes, std::size_t count,
                           std::size_t& got) override {
    return native().read(handle, bytes, count, got);
  }
  platform::FileError write(platform::FileHandle handle, const char* bytes,
                            std::size_t count) override {
    return native().write(handle, bytes, count);
  }
  platform::FileError seek(platform::FileHandle handle, std::uint64_t offset) override {
    return native().seek(handle, offset);
  }
  platform::FileError truncate(platform::FileHandle handle, std::uint64_t offset) override {
    return native().truncate(handle, offset);
  }
  void lock(platform::FileHandle handle) override { native().lock(handle); }
  void close(platform::FileHandle handle) override { native().close(handle); }

 protected:
  static platform::FileSystem& native() { return platform::native_file_system(); }
};

}  // namespace testing_support
