#include "fin/entradas.h"

#include <optional>
#include <string>

#include "fin/tip_scheme.h"
#include "textio/list_input.h"
#include "textio/list_reader.h"

namespace fin {
namespace {

using process::RunTimeErrorReport;
using ReadError = std::optional<RunTimeErrorReport>;

// One read operation per value, so that whatever follows a value on its line is skipped.
ReadError read_item(textio::ListReader& reader, std::array<char, 100>& text) {
  return reader.read_character_item(text.data(), static_cast<int>(text.size()));
}
ReadError read_item(textio::ListReader& reader, double& real) {
  return reader.read_real_item(real);
}
ReadError read_item(textio::ListReader& reader, std::int32_t& integer) {
  return reader.read_integer_item(integer);
}

// Reads `fields` from `file` in order, up to the first error, which is returned.
template <typename... Fields>
ReadError read_file(platform::FileSystem& files, std::string_view file, Fields&... fields) {
  process::ValueOrError<textio::InputFile> opened = textio::InputFile::open(files, file);
  if (const auto* error = std::get_if<RunTimeErrorReport>(&opened)) return *error;
  textio::InputFile& input = std::get<textio::InputFile>(opened);
  ReadError error;
  const auto read_value = [&input, &error](auto& field) {
    if (error) return;
    textio::ListReader reader(input);
    error = read_item(reader, field);
    if (!error) error = reader.end_read();
  };
  (read_value(fields), ...);
  return error;
}

RunTimeErrorReport out_of_range(std::string_view file, std::string_view name, std::int32_t value,
                                std::string_view meaning, std::string_view accepted) {
  return {process::kIntegerOutOfRange, process::Operation::Read, file,
          std::string(name) + " = " + std::to_string(value) + " out of range: " +
              std::string(meaning) + " must be " + std::string(accepted)};
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

process::ValueOrError<GeneralInputFile> read_general_input(platform::FileSystem& files) {
  GeneralInputFile file;
  GeneralInput& in = file.input;
  std::int32_t scheme = 0;
  if (ReadError error = read_file(files, kGeneralInputFile, file.report_name, in.Tb, in.Tinf,
                                  in.h, in.k, in.Ab, in.P, in.L, in.N, scheme)) {
    return *std::move(error);
  }
  // Two nodes, or none, leave the base or tip formulas reading outside the mesh. One node is
  // let through: its mesh spacing is a division by zero, reported as such.
  if (in.N == 2 || in.N <= 0) {
    return out_of_range(kGeneralInputFile, "N", in.N, "the number of mesh nodes",
                        from_to_largest(3));
  }
  // Any other scheme would solve nothing and still report a result as a success.
  const std::optional<TipScheme> named = tip_scheme_from_file(scheme);
  if (!named) {
    return out_of_range(kGeneralInputFile, "scheme", scheme, "the tip scheme", scheme_numbers());
  }
  in.scheme = *named;
  return file;
}

process::ValueOrError<IterationInput> read_iteration_input(platform::FileSystem& files) {
  IterationInput iteration;
  if (ReadError error =
          read_file(files, kIterationInputFile, iteration.itmax, iteration.tol, iteration.T0)) {
    return *std::move(error);
  }
  if (iteration.itmax < 0) {
    return out_of_range(kIterationInputFile, "itmax", iteration.itmax,
                        "the maximum number of iterations", from_to_largest(0));
  }
  return iteration;
}

}  // namespace fin
