#include "tests/program/program_run.h"

#include <cmath>
#include <cstdlib>
#include <sys/stat.h>

namespace testing_support {

namespace {

std::string variable(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

// The name of a file of the program as this machine's file system holds it: the same bytes,
// except that Wine keeps the Windows (Latin-1) names in UTF-8, its tests' locale.
std::string host_name(const std::string& name) {
  if (!ProgramRun::windows_program()) return name;
  std::string utf8;
  for (unsigned char ch : name) {
    if (ch < 0x80) {
      utf8 += static_cast<char>(ch);
    } else {
      utf8 += static_cast<char>(0xC0 | (ch >> 6));
      utf8 += static_cast<char>(0x80 | (ch & 0x3F));
    }
  }
  return utf8;
}

}  // namespace

bool ProgramRun::windows_program() { return !variable("ALETA_TEST_RUNNER").empty(); }

ProgramRun::ProgramRun()
    : work_(root_.file("work")), bin_(root_.file("bin")), log_(root_.file("editor.log")) {
  mkdir(work_.c_str(), 0755);
  mkdir(bin_.c_str(), 0755);
  // Each call: its arguments, each ended by a NUL byte, then a line end.
  if (windows_program()) {
    write_file(bin_ + "/notepad.exe", read_file(variable("ALETA_TEST_NOTEPAD")));
  } else {
    write_file(bin_ + "/notepad",
               "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\0' \"$a\"; done >> \"$NOTEPAD_LOG\"\n"
               "printf '\\n' >> \"$NOTEPAD_LOG\"\n");
    chmod((bin_ + "/notepad").c_str(), 0755);
  }
  write_file(log_, "");
}

void ProgramRun::put(const std::string& name, const std::string& bytes) const {
  write_file(work_ + "/" + name, bytes);
}

std::string ProgramRun::get(const std::string& name) const {
  return read_file(work_ + "/" + host_name(name));
}

bool ProgramRun::exists(const std::string& name) const {
  return file_exists(work_ + "/" + host_name(name));
}

std::vector<std::string> ProgramRun::command(const std::vector<std::string>& arguments,
                                             const std::vector<std::string>& launcher,
                                             Program program) const {
  const bool aleta = program == Program::Aleta;
  std::vector<std::string> argv = launcher;
  if (windows_program()) {
    argv.insert(argv.end(), {variable("ALETA_TEST_RUNNER"),
                             variable(aleta ? "ALETA_TEST_PROGRAM" : "ALETA_TEST_MALHAS_PROGRAM")});
  } else {
    argv.push_back(aleta ? ALETA_EXE : ALETA_MALHAS_EXE);
  }
  argv.insert(argv.end(), arguments.begin(), arguments.end());
  return argv;
}

std::vector<std::pair<std::string, std::string>> ProgramRun::environment() const {
  const std::string path = variable("PATH");
  // Wine puts WINEPATH before the Windows search path; its drive Z: is the root directory.
  return {{"PATH", bin_ + ":" + (path.empty() ? "/usr/bin:/bin" : path)},
          {"WINEPATH", bin_},
          {"NOTEPAD_LOG", log_}};
}

ChildResult ProgramRun::run(const std::vector<std::string>& arguments, const std::string& input,
                            const std::vector<std::string>& launcher, Program program) const {
  return run_program(command(arguments, launcher, program), work_, environment(), input);
}

std::unique_ptr<StartedProgram> ProgramRun::start(
    const std::vector<std::string>& arguments,
    const std::vector<std::pair<std::string, std::string>>& environment, Program program) const {
  auto variables = this->environment();
  variables.insert(variables.end(), environment.begin(), environment.end());
  return std::make_unique<StartedProgram>(command(arguments, {}, program), work_, variables);
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

bool under_address_sanitizer() {
#if defined(__SANITIZE_ADDRESS__)
  return true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
  return true;
#endif
#endif
  return false;
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

namespace {

// A field of a report record: its first column (1-based) and width.
struct Field {
  std::size_t column;
  std::size_t width;
};
constexpr Field kTipAnalytical{51, 25}, kTipError{76, 25}, kRate{45, 25}, kRateError{90, 25};

std::vector<std::string> records(const std::string& report) {
  std::vector<std::string> all;
  std::size_t start = 0;
  for (std::size_t end; (end = report.find("\r\n", start)) != std::string::npos; start = end + 2) {
    all.push_back(report.substr(start, end - start));
  }
  all.push_back(report.substr(start));
  return all;
}

double field_value(const std::string& record, Field field) {
  if (record.size() < field.column - 1 + field.width) return NAN;
  return std::strtod(record.substr(field.column - 1, field.width).c_str(), nullptr);
}

// The layout of a field: its digits as 'd', every other character as it is.
std::string shape(const std::string& record, Field field) {
  std::string text = record.substr(field.column - 1, field.width);
  for (char& ch : text) {
    if (ch >= '0' && ch <= '9') ch = 'd';
  }
  return text;
}

// Takes `want`'s field into `got` when the two have the same layout and their printed values
// differ by no more than four units in the last place of `scale` (the quantity the field comes
// from) and one unit of the sixteenth printed digit.
void accept_field(std::string& got, const std::string& want, Field field, double scale) {
  const double a = field_value(got, field);
  const double b = field_value(want, field);
  if (!std::isfinite(a) || !std::isfinite(b) || shape(got, field) != shape(want, field)) return;
  const double largest = std::fmax(std::fabs(a), std::fabs(b));
  const double printed_unit = largest > 0 ? std::pow(10.0, std::floor(std::log10(largest)) - 15) : 0;
  if (std::fabs(a - b) <= 4 * std::ldexp(std::fabs(scale), -52) + printed_unit) {
    got.replace(field.column - 1, field.width, want, field.column - 1, field.width);
  }
}

bool starts_with(const std::string& text, const std::string& prefix) {
  return text.compare(0, prefix.size(), prefix) == 0;
}

}  // namespace

std::string accepting_library_differences(const std::string& got, const std::string& want) {
  if (!ProgramRun::windows_program()) return got;
  std::vector<std::string> mine = records(got);
  const std::vector<std::string> theirs = records(want);
  if (mine.size() != theirs.size()) return got;
  const std::string rates = "Taxa de transfer\xEAncia de calor (";
  double qa = 0;
  for (std::size_t i = 0; i < mine.size(); ++i) {
    if (i > 0 && starts_with(theirs[i - 1], "    Posi\xE7\xE3o")) {
      const double ta = field_value(theirs[i], kTipAnalytical);
      accept_field(mine[i], theirs[i], kTipAnalytical, ta);
      accept_field(mine[i], theirs[i], kTipError, ta);
    } else if (starts_with(theirs[i], rates + "anal\xEDtica):")) {
      qa = field_value(theirs[i], kRate);
      accept_field(mine[i], theirs[i], kRate, qa);
    } else if (starts_with(theirs[i], rates + "DDS-")) {
      accept_field(mine[i], theirs[i], kRateError, qa);
    }
  }
  std::string joined = mine[0];
  for (std::size_t i = 1; i < mine.size(); ++i) joined += "\r\n" + mine[i];
  return joined;
}

}  // namespace testing_support
