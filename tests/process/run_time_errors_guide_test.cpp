// The users' guide lists every run-time error the program can give, with its letter, number and
// text as printed, and no error the program does not have: its table is checked against the
// program's own table, so that the two cannot drift apart.
#include <fstream>
#include <regex>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "process/run_time_errors.h"

namespace {

struct GuideRow {
  std::string code;  // the letter and the number, as in "F6501"
  std::string text;  // the text cell, without its backquotes
};

// The rows of LEIAME.md's table of errors, each of which begins "| F6501 | `end of file` |".
std::vector<GuideRow> guide_rows() {
  std::ifstream guide(std::string(ALETA_SOURCE_DIR) + "/LEIAME.md");
  const std::regex row(R"(^\| ([A-Z][0-9]{4}) \| `([^`]*)` \|)");
  std::vector<GuideRow> rows;
  std::smatch match;
  for (std::string line; std::getline(guide, line);) {
    if (std::regex_search(line, match, row)) rows.push_back({match[1], match[2]});
  }
  return rows;
}

std::string code_of(const process::RunTimeError& error) {
  return error.letter + std::to_string(error.number);
}

// The guide shows a text as printed: the table's text, or, for an error of sinh or cosh, the
// function's name, ": " and the table's text.
bool shows(const GuideRow& row, const process::RunTimeError& error) {
  const std::string text(error.text);
  const std::string named = ": " + text;
  return row.code == code_of(error) &&
         (row.text == text || (row.text.size() > named.size() &&
                               row.text.compare(row.text.size() - named.size(), named.size(), named) == 0));
}

TEST(RunTimeErrorsGuide, ListsEveryErrorWithItsTextAndNoOther) {
  const std::vector<GuideRow> rows = guide_rows();
  ASSERT_FALSE(rows.empty()) << "no table of errors in LEIAME.md";
  for (const process::RunTimeError* error : process::kAllRunTimeErrors) {
    bool listed = false;
    for (const GuideRow& row : rows) listed |= shows(row, *error);
    EXPECT_TRUE(listed) << code_of(*error) << " \"" << error->text << "\" is not in the guide";
  }
  for (const GuideRow& row : rows) {
    bool known = false;
    for (const process::RunTimeError* error : process::kAllRunTimeErrors) {
      known |= row.code == code_of(*error);
    }
    EXPECT_TRUE(known) << "the guide lists " << row.code << ", which the program never gives";
  }
}

}  // namespace
