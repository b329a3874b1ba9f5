#pragma once
// The one writer of the study's CSV files, in two dialects with the same cells: the plain one
// (commas, decimal points, LF) for scripts, and one that a spreadsheet set to Portuguese (Brazil)
// opens as numbers by a double click: semicolons, decimal commas, CR LF and a UTF-8 byte-order
// mark, without which the accents of the notes would be read as Windows-1252.
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "malhas/verification/orders.h"

namespace malhas {

struct CsvDialect {
  char separator;
  char decimal_mark;
  std::string_view preamble;  // written before the header
  std::string_view line_end;
};

constexpr CsvDialect kPlainCsv{',', '.', "", "\n"};
constexpr CsvDialect kBrazilianSpreadsheetCsv{';', ',', "\xEF\xBB\xBF", "\r\n"};

// A CSV text built row by row: the preamble and the header first, then each row's fields, every
// field between double quotes (its quotes doubled) when it holds a separator, a quote or a line
// end.
class CsvWriter {
 public:
  CsvWriter(const CsvDialect& dialect, std::initializer_list<std::string_view> columns);

  std::size_t columns() const { return columns_; }
  // A number written with a decimal point, in the dialect's decimal mark.
  std::string number(std::string text) const;
  // A double with 17 significant digits, which reads back to the same double.
  std::string number(double value) const;
  // An estimate's value so, or an empty cell when it has none.
  std::string number(const Estimate& estimate) const;
  // One row of exactly columns() fields.
  void row(const std::vector<std::string>& fields);

  // The whole text, given up by the writer.
  std::string take() { return std::move(text_); }

 private:
  CsvDialect dialect_;
  std::size_t columns_;
  std::string text_;
};

}  // namespace malhas
