// A stand-in for the editor in tests under Wine: instead of opening a window it appends one line
// to the file named by ALETA_NOTEPAD_LOG, its arguments as the program received them, each
// between brackets, and ends with exit code 0. Without that variable it does nothing.
#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
  const char* log_name = std::getenv("ALETA_NOTEPAD_LOG");
  if (log_name == nullptr || *log_name == '\0') return 0;
  std::string line = "notepad";
  for (int i = 1; i < argc; ++i) line += std::string(" [") + argv[i] + "]";
  line += '\n';
  std::FILE* log = std::fopen(log_name, "ab");
  if (log == nullptr) return 1;
  std::fwrite(line.data(), 1, line.size(), log);
  return std::fclose(log) == 0 ? 0 : 1;
}
