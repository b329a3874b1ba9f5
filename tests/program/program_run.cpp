#include "tests/program/program_run.h"

#include <cstdlib>
#include <sys/stat.h>

namespace testing_support {

ProgramRun::ProgramRun()
    : work_(root_.file("work")), bin_(root_.file("bin")), log_(root_.file("editor.log")) {
  mkdir(work_.c_str(), 0755);
  mkdir(bin_.c_str(), 0755);
  // Each call: its arguments, each ended by a NUL byte, then a line end.
  write_file(bin_ + "/notepad",
             "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\0' \"$a\"; done >> \"$NOTEPAD_LOG\"\n"
             "printf '\\n' >> \"$NOTEPAD_LOG\"\n");
  chmod((bin_ + "/notepad").c_str(), 0755);
  write_file(log_, "");
}

void ProgramRun::put(const std::string& name, const std::string& bytes) const {
  write_file(work_ + "/" + name, bytes);
}

std::string ProgramRun::get(const std::string& name) const { return read_file(work_ + "/" + name); }

bool ProgramRun::exists(const std::string& name) const { return file_exists(work_ + "/" + name); }

ChildResult ProgramRun::run(const std::vector<std::string>& arguments,
                            const std::string& input) const {
  std::vector<std::string> argv{ALETA_EXE};
  argv.insert(argv.end(), arguments.begin(), arguments.end());
  const char* path = std::getenv("PATH");
  return run_program(argv, work_,
                     {{"PATH", bin_ + ":" + (path ? path : "/usr/bin:/bin")},
                      {"NOTEPAD_LOG", log_}},
                     input);
}

std::vector<std::vector<std::string>> ProgramRun::editor_calls() const {
  std::vector<std::vector<std::string>> calls{{}};
  std::string argument;
  for (char ch : read_file(log_)) {
    if (ch == '\0') {
      calls.back().push_back(argument);
      argument.clear();
    } else if (ch == '\n' && argument.empty()) {
      calls.emplace_back();
    } else {
      argument += ch;
    }
  }
  calls.pop_back();  // the empty call after the last line end
  return calls;
}

std::string general_input(const std::string& saida, const std::vector<std::string>& values) {
  static const char* const kComments[] = {"Tb", "Tinf", "h", "k", "Ab", "P", "L", "N", "esquema"};
  std::string text = saida + "   nome do arquivo de sa\xED" "da\r\n";
  for (std::size_t i = 0; i < values.size(); ++i) {
    text += values[i] + "   " + (i < 9 ? kComments[i] : "") + "\r\n";
  }
  return text;
}

SplitReport split_time(const std::string& report) {
  const std::string label = "Tempo de processamento (em segundos):  ";
  const std::size_t at = report.rfind(label);
  if (at == std::string::npos || report.size() < at + label.size() + 2) return {report, ""};
  const std::size_t field = at + label.size();
  return {report.substr(0, field) + report.substr(report.size() - 2),
          report.substr(field, report.size() - 2 - field)};
}

}  // namespace testing_support
