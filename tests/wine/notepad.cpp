// A stand-in for the editor in the tests under Wine: instead of opening a window it appends its
// arguments, as the program received them, to the file named by NOTEPAD_LOG: each argument
// ended by a NUL byte, then a line end for the call, as the Linux tests' stand-in does. Without
// that variable it does nothing. It always ends with exit code 0, as an editor closed by the user.
#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
  const char* log_name = std::getenv("NOTEPAD_LOG");
  if (log_name == nullptr || *log_name == '\0') return 0;
  std::string call;
  for (int i = 1; i < argc; ++i) call += std::string(argv[i]) + '\0';
  call += '\n';
  if (std::FILE* log = std::fopen(log_name, "ab")) {
    std::fwrite(call.data(), 1, call.size(), log);
    std::fclose(log);
  }
  return 0;
}
