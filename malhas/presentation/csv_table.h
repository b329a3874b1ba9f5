#pragma once
// The study's table for spreadsheets and scripts, one row per scheme, mesh and quantity, in two
// dialects of CSV with the same columns: malhas.csv (commas, decimal points, LF) and
// malhas_excel.csv, which a spreadsheet set to Portuguese (Brazil) opens as numbers by a double
// click: semicolons, decimal commas, CR LF and a UTF-8 byte-order mark, without which the
// accents of the notes would be read as Windows-1252. Numbers have 17 significant digits, so
// they read back to the same double.
#include <string>
#include <string_view>
#include <vector>

#include "malhas/verification/analysis.h"

namespace malhas {

struct CsvDialect {
  char separator;
  char decimal_mark;
  std::string_view preamble;  // written before the header
  std::string_view line_end;
};

constexpr CsvDialect kPlainCsv{',', '.', "", "\n"};
constexpr CsvDialect kBrazilianSpreadsheetCsv{';', ',', "\xEF\xBB\xBF", "\r\n"};

std::string csv_table(const std::vector<SchemeStudy>& studies, const CsvDialect& dialect = kPlainCsv);

// A field as the dialect writes it: between double quotes, with quotes doubled, when it holds a
// separator, a quote or a line end.
std::string csv_field(const std::string& text, const CsvDialect& dialect);

// A number that reads back to the same double, with the dialect's decimal mark.
std::string csv_number(double value, const CsvDialect& dialect);

}  // namespace malhas
