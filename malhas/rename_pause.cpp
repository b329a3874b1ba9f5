#include "malhas/rename_pause.h"

#include <charconv>
#include <chrono>
#include <thread>

namespace malhas {
namespace {

constexpr auto kLongestPause = std::chrono::minutes(1);
constexpr auto kPoll = std::chrono::milliseconds(10);

}  // namespace

PausedRenames::PausedRenames(platform::FolderFiles& files, std::string_view setting)
    : ForwardingFolderFiles(files) {
  const std::size_t colon = setting.find(':');
  if (colon == std::string_view::npos || colon + 1 == setting.size()) return;
  long at = -1;
  const auto [end, error] = std::from_chars(setting.data(), setting.data() + colon, at);
  if (error != std::errc() || end != setting.data() + colon || at < 0) return;
  pause_at_ = at;
  marker_ = std::string(setting.substr(colon + 1));
}

platform::SetFileError PausedRenames::replace(const std::string& from, const std::string& to) {
  if (renames_++ == pause_at_) {
    platform::FileHandle handle = 0;
    if (files_.create_private(marker_, handle) == platform::SetFileError::None) {
      (void)files_.close(handle);
      std::string bytes;
      const auto until = std::chrono::steady_clock::now() + kLongestPause;
      while (files_.read(marker_, 0, bytes) != platform::SetFileError::NotFound &&
             std::chrono::steady_clock::now() < until) {
        std::this_thread::sleep_for(kPoll);
      }
    }
  }
  return files_.replace(from, to);
}

}  // namespace malhas
