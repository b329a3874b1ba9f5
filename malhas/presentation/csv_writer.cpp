#include "malhas/presentation/csv_writer.h"

#include "malhas/presentation/number_text.h"

namespace malhas {
namespace {

std::string quoted(const std::string& text, char separator) {
  if (text.find_first_of(std::string{separator, '"', '\r', '\n'}) == std::string::npos) return text;
  std::string field = "\"";
  for (char c : text) field += c == '"' ? std::string("\"\"") : std::string(1, c);
  return field + "\"";
}

}  // namespace

CsvWriter::CsvWriter(const CsvDialect& dialect, std::initializer_list<std::string_view> columns)
    : dialect_(dialect), columns_(columns.size()), text_(dialect.preamble) {
  std::string header;
  for (std::string_view column : columns) {
    if (!header.empty()) header += dialect_.separator;
    header += column;
  }
  text_ += header;
  text_ += dialect_.line_end;
}

std::string CsvWriter::number(std::string text) const {
  for (char& c : text) {
    if (c == '.') c = dialect_.decimal_mark;
  }
  return text;
}

std::string CsvWriter::number(double value) const { return number(exact_text(value)); }

std::string CsvWriter::number(const Estimate& estimate) const {
  return estimate.defined ? number(estimate.value) : "";
}

void CsvWriter::row(const std::vector<std::string>& fields) {
  for (std::size_t f = 0; f < fields.size(); ++f) {
    if (f > 0) text_ += dialect_.separator;
    text_ += quoted(fields[f], dialect_.separator);
  }
  text_ += dialect_.line_end;
}

}  // namespace malhas
