#include <algorithm>
#include <atomic>
#include <pthread.h>
#include <csignal>
#include <cstring>
#include <unistd.h>

#include "platform/folder_files.h"

namespace platform {
namespace {

// The one exception to values passed around: a signal handler reaches only what is set aside
// for it beforehand. Names are copied in whole before the count that publishes them grows.
constexpr std::size_t kMaxBytes = 4096;
char removal_names[RemovedOnInterrupt::kMaxNames][kMaxBytes];
std::atomic<std::size_t> removal_count{0};
char removal_message[512];
std::size_t removal_message_length = 0;

constexpr int kInterruptions[] = {SIGINT, SIGTERM, SIGHUP};
struct sigaction earlier_actions[3];

// Only async-signal-safe calls: unlink, write, then the default action of the signal.
void on_interruption(int signal_number) {
  const std::size_t count = removal_count.load();
  for (std::size_t i = 0; i < count; ++i) (void)::unlink(removal_names[i]);
  (void)!::write(STDERR_FILENO, removal_message, removal_message_length);
  std::signal(signal_number, SIG_DFL);
  (void)::raise(signal_number);
}

sigset_t interruption_set() {
  sigset_t set;
  sigemptyset(&set);
  for (int s : kInterruptions) sigaddset(&set, s);
  return set;
}

}  // namespace

RemovedOnInterrupt::RemovedOnInterrupt(const std::string& message) {
  removal_count = 0;
  removal_message_length = std::min(message.size(), sizeof removal_message);
  std::memcpy(removal_message, message.data(), removal_message_length);
  struct sigaction action {};
  action.sa_handler = on_interruption;
  action.sa_mask = interruption_set();  // one handler at a time
  for (std::size_t i = 0; i < 3; ++i) {
    (void)::sigaction(kInterruptions[i], nullptr, &earlier_actions[i]);
    // A signal the process was started ignoring (nohup) stays ignored.
    if (earlier_actions[i].sa_handler == SIG_IGN) continue;
    (void)::sigaction(kInterruptions[i], &action, nullptr);
  }
}

RemovedOnInterrupt::~RemovedOnInterrupt() {
  removal_count = 0;
  for (std::size_t i = 0; i < 3; ++i) (void)::sigaction(kInterruptions[i], &earlier_actions[i], nullptr);
  if (held_) {
    const sigset_t set = interruption_set();
    (void)::pthread_sigmask(SIG_UNBLOCK, &set, nullptr);
  }
}

bool RemovedOnInterrupt::add(const std::string& name) {
  const std::size_t count = removal_count.load();
  if (count == kMaxNames || name.size() >= kMaxBytes) return false;
  std::memcpy(removal_names[count], name.c_str(), name.size() + 1);
  removal_count = count + 1;
  return true;
}

void RemovedOnInterrupt::forget_all() { removal_count = 0; }

void RemovedOnInterrupt::hold_interruptions() {
  const sigset_t set = interruption_set();
  held_ = ::pthread_sigmask(SIG_BLOCK, &set, nullptr) == 0;
}

}  // namespace platform
