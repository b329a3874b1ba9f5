// The two input files, read one value per line, and the editor command for every file.
#include "fin/dados.h"

#include <array>
#include <string>

#include "platform/command_quoting.h"
#include "process/launcher.h"
#include "process/run_time_error.h"
#include "textio/list_reader.h"
#include "textio/units.h"

namespace fin {
namespace {

constexpr int kUnit = 1;

// One read operation per value, so that whatever follows a value on its line is skipped.
void read_item(textio::ListReader& reader, std::array<char, 100>& text) {
  reader.read_character_item(text.data(), static_cast<int>(text.size()));
}
void read_item(textio::ListReader& reader, double& real) { reader.read_real_item(real); }
void read_item(textio::ListReader& reader, std::int32_t& integer) {
  reader.read_integer_item(integer);
}

template <typename... Fields>
void read_file(platform::FileSystem& files, std::string_view file, Fields&... fields) {
  textio::UnitInput input(textio::open_unit(files, kUnit, file.data(), static_cast<int>(file.size())));
  auto read_value = [&input](auto& field) {
    textio::ListReader reader(input);
    read_item(reader, field);
    reader.end_read();
  };
  (read_value(fields), ...);
  textio::close_unit(kUnit);
}

[[noreturn]] void reject(std::string_view file, std::string_view name, std::int32_t value,
                         std::string_view meaning, std::int32_t lowest) {
  const std::string text = std::string(name) + " = " + std::to_string(value) +
                           " out of range: " + std::string(meaning) + " must be from " +
                           std::to_string(lowest) + " to 2147483647";
  process::raise_run_time_error(process::kIntegerOutOfRange, process::Operation::Read, file, text);
}

}  // namespace

void open_in_editor(std::string_view file) {
  const std::string command = "notepad " + platform::quoted_command_argument(file);
  process::run_command(command.data(), static_cast<std::int32_t>(command.size()));
}

GeneralInput read_general_input(platform::FileSystem& files) {
  GeneralInput in;
  read_file(files, kGeneralInputFile, in.saida, in.Tb, in.Tinf, in.h, in.k, in.Ab, in.P, in.L,
            in.N, in.scheme);
  // Two nodes, or none, leave the base or tip formulas reading outside the mesh. One node is
  // let through: its mesh spacing is a division by zero, reported as such.
  if (in.N == 2 || in.N <= 0) reject(kGeneralInputFile, "N", in.N, "the number of mesh nodes", 3);
  return in;
}

IterationInput read_iteration_input(platform::FileSystem& files) {
  IterationInput iteration;
  read_file(files, kIterationInputFile, iteration.itmax, iteration.tol, iteration.T0);
  if (iteration.itmax < 0) {
    reject(kIterationInputFile, "itmax", iteration.itmax, "the maximum number of iterations", 0);
  }
  return iteration;
}

}  // namespace fin
