#include <algorithm>
#include <atomic>
#include <cstring>
#include <windows.h>

#include "platform/folder_files.h"
#include "platform/win32/wide_text.h"

namespace platform {
namespace {

// The one exception to values passed around: the console's control handler runs on a thread of
// its own and reaches only what is set aside for it. Names are copied in whole before the count
// that publishes them grows.
constexpr std::size_t kMaxChars = 4096;
wchar_t removal_names[RemovedOnInterrupt::kMaxNames][kMaxChars];
std::atomic<std::size_t> removal_count{0};
std::atomic<bool> removal_held{false};
char removal_message[512];
DWORD removal_message_length = 0;

// Removes the names (each file was opened sharing its removal, so it goes when its last handle
// closes), then lets the next handler end the process. Held, it waits for the renames, after
// which there is nothing to remove and the new set is in place.
BOOL WINAPI on_control(DWORD) {
  if (removal_held) {
    while (removal_held) Sleep(10);
    return FALSE;
  }
  const std::size_t count = removal_count.load();
  for (std::size_t i = 0; i < count; ++i) (void)DeleteFileW(removal_names[i]);
  DWORD written = 0;
  (void)WriteFile(GetStdHandle(STD_ERROR_HANDLE), removal_message, removal_message_length,
                  &written, nullptr);
  return FALSE;
}

}  // namespace

RemovedOnInterrupt::RemovedOnInterrupt(const std::string& message) {
  removal_count = 0;
  removal_message_length = static_cast<DWORD>(std::min(message.size(), sizeof removal_message));
  std::memcpy(removal_message, message.data(), removal_message_length);
  (void)SetConsoleCtrlHandler(on_control, TRUE);
}

// The hold is released before the handler is removed: a handler waiting for the renames runs
// under the console's lock, which SetConsoleCtrlHandler takes too, so removing it first would
// wait for a handler that waits for us.
RemovedOnInterrupt::~RemovedOnInterrupt() {
  removal_count = 0;
  removal_held = false;
  (void)SetConsoleCtrlHandler(on_control, FALSE);
}

bool RemovedOnInterrupt::add(const std::string& name) {
  const std::size_t count = removal_count.load();
  const std::wstring wide = win32::wide_from_utf8(name);
  if (count == kMaxNames || wide.size() >= kMaxChars) return false;
  std::memcpy(removal_names[count], wide.c_str(), (wide.size() + 1) * sizeof(wchar_t));
  removal_count = count + 1;
  return true;
}

void RemovedOnInterrupt::forget_all() { removal_count = 0; }

void RemovedOnInterrupt::hold_interruptions() {
  held_ = true;
  removal_held = true;
}

}  // namespace platform
