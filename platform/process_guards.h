#pragma once
// Conditions the process may be started in that would otherwise lose or misplace data.

namespace platform {

// Run first, before any file is opened. A standard stream the process was started without is
// opened on the null device, so that no file opened later takes its place and receives what is
// written to that stream (a message written to it is then lost, and nothing else). On POSIX
// systems a write beyond the file-size limit then fails, as a full disk does, instead of ending
// the process.
void install_process_guards();

}  // namespace platform
