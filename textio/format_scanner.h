#pragma once
// Reads a format such as "(2/,'Taxa:',T45,1P,E25.15)" item by item, in the order the items are
// performed: a group "n(...)" is gone through n times before the items after it.
#include <string_view>
#include <vector>

namespace textio {

struct FormatItem {
  enum class Kind {
    Literal,   // text: the bytes between the apostrophes
    Slash,     // count: records to end
    Tab,       // count: the column the next text starts in
    Scale,     // count: the scale factor
    Exponent,  // Ew.d
    Fixed,     // Fw.d
    Integer,   // Iw
    End        // the closing parenthesis of the format
  };
  Kind kind = Kind::End;
  std::string_view text;
  int count = 0;
  int width = 0;
  int decimals = 0;
};

class FormatScanner {
 public:
  // `format` starts with "(" and is read up to the parenthesis that closes it.
  explicit FormatScanner(std::string_view format);

  // The next item to perform. After the end (or at anything that is not a known item, such as
  // an unfinished literal or format) every call returns an End item.
  FormatItem next();

 private:
  struct OpenGroup {
    std::size_t start;  // just after the group's "("
    int passes_left;
  };

  bool at(char c) const { return position_ < format_.size() && format_[position_] == c; }
  bool at_digit() const;
  char upper_here() const;
  bool read_number(int& number);
  FormatItem read_literal();
  FormatItem read_tab();
  FormatItem read_data_descriptor(FormatItem::Kind kind, bool with_decimals);
  // Handles the ")" at the position: returns true when the walk goes on after it.
  bool close_group();
  FormatItem finish();

  std::string_view format_;
  std::size_t position_ = 0;
  std::vector<OpenGroup> groups_;
};

}  // namespace textio
