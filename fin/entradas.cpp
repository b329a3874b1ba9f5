#include "fin/entradas.h"

#include <array>
#include <optional>
#include <string>

#include "fin/tip_scheme.h"
#include "process/run_time_error.h"
#include "textio/list_reader.h"
#include "textio/unit_close.h"
#include "textio/unit_open.h"

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
                         std::string_view meaning, std::string_view accepted) {
  const std::string text = std::string(name) + " = " + std::to_string(value) +
                           " out of range: " + std::string(meaning) + " must be " +
                           std::string(accepted);
  process::raise_run_time_error(process::kIntegerOutOfRange, process::Operation::Read, file, text);
}

// The accepted values of a count: `lowest` and every larger 4-byte integer.
std::string from_to_largest(std::int32_t lowest) {
  return "from " + std::to_string(lowest) + " to 2147483647";
}

// "1 or 2": the numbers of the schemes, as the message of a rejected one lists them.
std::string scheme_numbers() {
  std::string text;
  for (std::size_t i = 0; i < kTipSchemes.size(); ++i) {
    if (i > 0) text += i + 1 == kTipSchemes.size() ? " or " : ", ";
    text += std::to_string(kTipSchemes[i].file_number);
  }
  return text;
}

}  // namespace

GeneralInput read_general_input(platform::FileSystem& files) {
  GeneralInput in;
  std::int32_t scheme = 0;
  read_file(files, kGeneralInputFile, in.saida, in.Tb, in.Tinf, in.h, in.k, in.Ab, in.P, in.L,
            in.N, scheme);
  // Two nodes, or none, leave the base or tip formulas reading outside the mesh. One node is
  // let through: its mesh spacing is a division by zero, reported as such.
  if (in.N == 2 || in.N <= 0) {
    reject(kGeneralInputFile, "N", in.N, "the number of mesh nodes", from_to_largest(3));
  }
  // Any other scheme would solve nothing and still report a result as a success.
  const std::optional<TipScheme> named = tip_scheme_from_file(scheme);
  if (!named) reject(kGeneralInputFile, "scheme", scheme, "the tip scheme", scheme_numbers());
  in.scheme = *named;
  return in;
}

IterationInput read_iteration_input(platform::FileSystem& files) {
  IterationInput iteration;
  read_file(files, kIterationInputFile, iteration.itmax, iteration.tol, iteration.T0);
  if (iteration.itmax < 0) {
    reject(kIterationInputFile, "itmax", iteration.itmax, "the maximum number of iterations",
           from_to_largest(0));
  }
  return iteration;
}

}  // namespace fin
