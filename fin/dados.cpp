// The two input files: each is first opened in the editor, then read one value per line.
#include "fin/dados.h"

#include <array>
#include <string>
#include <string_view>

#include "process/launcher.h"
#include "process/run_time_error.h"
#include "textio/list_reader.h"
#include "textio/units.h"

namespace fin {
namespace {

constexpr int kUnit = 1;
constexpr std::string_view kGeneralInput = "entradas_geral.ent";
constexpr std::string_view kIterationInput = "entradas_uds.ent";
// The number of the run-time error that rejects a value the computation cannot work with.
constexpr int kValueOutOfRange = 6100;

std::int32_t edit(std::string_view file) {
  const std::string command = "notepad " + std::string(file);
  return process::run_command(command.data(), static_cast<std::int32_t>(command.size()));
}

// One read operation per value, so that whatever follows a value on its line is skipped.
void read_value(std::array<char, 100>& text) {
  textio::begin_list_read(kUnit);
  textio::read_character_item(text.data(), static_cast<int>(text.size()));
  textio::end_read();
}
void read_value(double& real) {
  textio::begin_list_read(kUnit);
  textio::read_real_item(real);
  textio::end_read();
}
void read_value(std::int32_t& integer) {
  textio::begin_list_read(kUnit);
  textio::read_integer_item(integer);
  textio::end_read();
}

template <typename... Fields>
void read_file(std::string_view file, Fields&... fields) {
  textio::open_unit(kUnit, file.data(), static_cast<int>(file.size()));
  (read_value(fields), ...);
  textio::close_unit(kUnit);
}

[[noreturn]] void reject(std::string_view file, std::string_view name, std::int32_t value,
                         std::string_view meaning, std::string_view accepted) {
  const std::string text = std::string(name) + " = " + std::to_string(value) +
                           " out of range: " + std::string(meaning) + " must be " +
                           std::string(accepted);
  process::raise_run_time_error(kValueOutOfRange, process::Operation::Read, file, text);
}

// The accepted values of a count: `lowest` and every larger 4-byte integer.
std::string from_to_largest(std::int32_t lowest) {
  return "from " + std::to_string(lowest) + " to 2147483647";
}

}  // namespace

void read_general_input(CaseRecord& c) {
  c.launch_status = edit(kGeneralInput);
  read_file(kGeneralInput, c.saida, c.Tb, c.Tinf, c.h, c.k, c.Ab, c.P, c.L, c.N, c.scheme);
  // Two nodes, or none, leave the base or tip formulas reading outside the mesh. One node is
  // let through: its mesh spacing is a division by zero, reported as such.
  if (c.N == 2 || c.N <= 0) {
    reject(kGeneralInput, "N", c.N, "the number of mesh nodes", from_to_largest(3));
  }
  // Any other scheme would solve nothing and still report a result as a success.
  if (c.scheme != 1 && c.scheme != 2) {
    reject(kGeneralInput, "scheme", c.scheme, "the tip scheme", "1 or 2");
  }
}

void read_iteration_input(CaseRecord& c) {
  c.launch_status = edit(kIterationInput);
  read_file(kIterationInput, c.itmax, c.tol, c.T0);
  if (c.itmax < 0) {
    reject(kIterationInput, "itmax", c.itmax, "the maximum number of iterations",
           from_to_largest(0));
  }
}

}  // namespace fin
