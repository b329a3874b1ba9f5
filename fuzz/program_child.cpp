#include "fuzz/program_child.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/mman.h>
#include <unistd.h>

#include "aleta/principal.h"
#include "platform/command_interpreter.h"
#include "platform/exit.h"
#include "platform/files.h"
#include "platform/memory.h"
#include "process/startup.h"
#include "process/termination.h"
#include "tests/support/forwarding_file_system.h"
#include "textio/unit_close.h"

// The fuzzer's edge counters, bounds given by the linker (absent without coverage).
extern "C" __attribute__((weak)) std::uint8_t __start___sancov_cntrs[];
extern "C" __attribute__((weak)) std::uint8_t __stop___sancov_cntrs[];

namespace fuzz {
namespace {

constexpr std::uint64_t kArrayBudget = 256 * 1024;

// Memory shared between the parent and each child: what the child tells about its run, and a
// copy of its edge counters.
struct Shared {
  bool report_discarded;  // the report went to the null device
};
Shared* shared = nullptr;
std::uint8_t* child_counters = nullptr;

std::size_t counter_count() {
  return __start___sancov_cntrs == nullptr
             ? 0
             : static_cast<std::size_t>(__stop___sancov_cntrs - __start___sancov_cntrs);
}

void* shared_memory(std::size_t bytes) {
  void* memory = mmap(nullptr, std::max<std::size_t>(bytes, 1), PROT_READ | PROT_WRITE,
                      MAP_SHARED | MAP_ANONYMOUS, -1, 0);
  if (memory == MAP_FAILED) std::abort();
  return memory;
}

// The operating system's files, but only inside the working directory (and the null device):
// the report's name comes from the fuzzed input and must not reach any other file.
class ConfinedFiles final : public testing_support::ForwardingFileSystem {
 public:
  bool status(const std::string& name, platform::FileStatus& status) override {
    return allowed(name) && native().status(name, status);
  }
  using ForwardingFileSystem::status;
  platform::FileError open(const std::string& name, platform::OpenMode mode,
                           platform::FileAccess access, platform::FileHandle& handle) override {
    if (!allowed(name)) return platform::FileError::AccessDenied;
    if (name == platform::null_device_name()) shared->report_discarded = true;
    return native().open(name, mode, access, handle);
  }

 private:
  static bool allowed(const std::string& name) {
    return name.find('/') == std::string::npos || name == platform::null_device_name();
  }
};

}  // namespace

void prepare_child_runs() {
  shared = static_cast<Shared*>(shared_memory(sizeof(Shared)));
  child_counters = static_cast<std::uint8_t*>(shared_memory(counter_count()));
}

void run_program_in_child() {
  static ConfinedFiles files;
  static char program_name[] = "aleta";
  static char* argv[] = {program_name, nullptr};
  shared->report_discarded = false;
  process::start_up(1, argv);
  textio::initialise_unit_layer();
  process::terminate_process(aleta::principal(files));
}

bool take_child_outcome() {
  std::uint8_t* counters = __start___sancov_cntrs;
  for (std::size_t i = 0; i < counter_count(); ++i) {
    counters[i] = std::max(counters[i], child_counters[i]);
  }
  return shared->report_discarded;
}

}  // namespace fuzz

// The seams of the child's platform.
namespace platform {

// Hands the child's coverage to the parent on the way out.
void exit_process(int code) {
  if (fuzz::counter_count() > 0) {
    std::memcpy(fuzz::child_counters, __start___sancov_cntrs, fuzz::counter_count());
  }
  ::_exit(code);
}

std::uint64_t available_memory_bytes() { return fuzz::kArrayBudget; }

// The editor is the user's business: the command is taken as run, successfully.
std::int32_t run_in_command_interpreter(std::string_view) { return 0; }

void set_last_error(int reason) { errno = reason; }

}  // namespace platform
