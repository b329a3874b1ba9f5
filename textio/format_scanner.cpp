#include "textio/format_scanner.h"

#include <cctype>

namespace textio {

FormatScanner::FormatScanner(std::string_view format) : format_(format) {
  if (at('(')) {
    ++position_;
  } else {
    position_ = format_.size();
  }
}

char FormatScanner::upper_here() const {
  if (position_ >= format_.size()) return '\0';
  return static_cast<char>(std::toupper(static_cast<unsigned char>(format_[position_])));
}

bool FormatScanner::at_digit() const {
  return position_ < format_.size() && std::isdigit(static_cast<unsigned char>(format_[position_]));
}

// An optionally signed decimal number; false when there is no digit at the position or the
// number is larger than any a format needs (which makes the format unusable).
bool FormatScanner::read_number(int& number) {
  constexpr int kLargest = 32767;
  bool negative = at('-');
  if (negative || at('+')) ++position_;
  if (!at_digit()) return false;
  int value = 0;
  while (at_digit()) {
    value = value * 10 + (format_[position_++] - '0');
    if (value > kLargest) return false;
  }
  number = negative ? -value : value;
  return true;
}

FormatItem FormatScanner::read_literal() {
  std::size_t close = format_.find('\'', position_ + 1);
  if (close == std::string_view::npos) return finish();
  FormatItem item;
  item.kind = FormatItem::Kind::Literal;
  item.text = format_.substr(position_ + 1, close - position_ - 1);
  position_ = close + 1;
  return item;
}

// "Tn", with the position on the letter.
FormatItem FormatScanner::read_tab() {
  ++position_;
  FormatItem item;
  item.kind = FormatItem::Kind::Tab;
  if (!read_number(item.count)) return finish();
  return item;
}

// "Iw", "Ew.d" or "Fw.d", with the position on the letter.
FormatItem FormatScanner::read_data_descriptor(FormatItem::Kind kind, bool with_decimals) {
  ++position_;
  FormatItem item;
  item.kind = kind;
  if (!read_number(item.width) || item.width < 0) return finish();
  if (with_decimals) {
    if (!at('.')) return finish();
    ++position_;
    if (!read_number(item.decimals) || item.decimals < 0) return finish();
  }
  return item;
}

bool FormatScanner::close_group() {
  ++position_;
  if (groups_.empty()) return false;
  OpenGroup& group = groups_.back();
  if (--group.passes_left > 0) {
    position_ = group.start;
  } else {
    groups_.pop_back();
  }
  return true;
}

FormatItem FormatScanner::finish() {
  position_ = format_.size();
  groups_.clear();
  return FormatItem{};
}

FormatItem FormatScanner::next() {
  for (;;) {
    while (at(',') || at(' ')) ++position_;
    if (position_ >= format_.size()) return finish();

    int count = 1;
    bool counted = read_number(count);
    char c = upper_here();
    FormatItem item;
    item.count = count;
    if (c == 'P' && counted) {
      ++position_;
      item.kind = FormatItem::Kind::Scale;
      return item;
    }
    if (c == '/' && count >= 0) {
      ++position_;
      item.kind = FormatItem::Kind::Slash;
      return item;
    }
    if (c == '(' && count >= 0) {
      groups_.push_back({++position_, count});
      continue;
    }
    if (counted) return finish();  // a number before anything else
    switch (c) {
      case '\'': return read_literal();
      case 'T': return read_tab();
      case 'I': return read_data_descriptor(FormatItem::Kind::Integer, false);
      case 'E': return read_data_descriptor(FormatItem::Kind::Exponent, true);
      case 'F': return read_data_descriptor(FormatItem::Kind::Fixed, true);
      case ')':
        if (close_group()) continue;
        return finish();
      default: return finish();
    }
  }
}

}  // namespace textio
