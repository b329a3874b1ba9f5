#include "textio/list_reader.h"

#include <algorithm>
#include <cstring>

#include "textio/integer_conversion.h"
#include "textio/real_conversion.h"

namespace textio {
namespace {

constexpr unsigned char kCr = 0x0D;
constexpr unsigned char kLf = 0x0A;

}  // namespace

template <typename Step>
ListReader::Result ListReader::stopping_at_errors(Step step) {
  try {
    step();
  } catch (const Stopped& stopped) {
    return stopped.report;
  }
  return std::nullopt;
}

// Stops the item at `error`, naming the value it is about as `shown`.
void ListReader::stop_at_value_error(const process::RunTimeError& error,
                                     std::string_view shown) const {
  std::string text(error.text);
  text.append(": \"").append(shown).append("\"");
  throw Stopped{{error, process::Operation::Read, source_.file_name(), text}};
}

// The value as written: a quoted or parenthesised one with its delimiters.
std::string ListReader::written_value() const {
  std::string shown(value_text());
  if (form_ == Form::Quoted) return quote_ + shown + quote_;
  if (form_ == Form::Parenthesised) return "(" + shown + ")";
  return shown;
}

// The source's next byte; its error stops the item.
unsigned char ListReader::next_byte() {
  if (lf_held_) {
    lf_held_ = false;
    return kLf;
  }
  const SourceByte byte = source_.next_byte();
  if (byte.error != nullptr) {
    throw Stopped{{*byte.error, process::Operation::Read, source_.file_name()}};
  }
  return byte.value;
}

// Consumes the rest of the current record through its LF.
void ListReader::skip_record() {
  while (next_byte() != kLf) {
  }
}

void ListReader::append(char c) {
  if (length_ < kValueCapacity) value_[length_++] = c;
}

// A blank ends a value that has characters or a repeat count before it, except inside
// parentheses; otherwise it is skipped.
bool ListReader::blank_ends_value() const {
  return form_ != Form::Parenthesised && (length_ > 0 || pending_repeats_ > 0);
}

// An error in the repeat count that the value so far and a "*" make.
void ListReader::stop_at_count_error(const process::RunTimeError& error) const {
  stop_at_value_error(error, std::string(value_text()) + "*");
}

// "*": the characters so far are how many items get the value.
void ListReader::take_repeat_count() {
  if (pending_repeats_ > 0) stop_at_count_error(process::kSecondRepeatCount);
  const Converted<std::int32_t> count = convert_integer(value_text());
  if (count.error != nullptr) stop_at_count_error(*count.error);
  if (count.value == 0) stop_at_count_error(process::kZeroRepeatCount);
  pending_repeats_ = static_cast<unsigned>(count.value) - 1;
  length_ = 0;
}

// A byte of a quoted value; true when it closed the value. Two quotes in a row stand for one.
bool ListReader::take_quoted_byte(char c, CharacterItem* character) {
  if (c == quote_) {
    const unsigned char after = next_byte();
    if (after != static_cast<unsigned char>(quote_)) {
      if (after == kLf) {
        lf_held_ = true;
      } else {
        last_separator_ = static_cast<char>(after);
      }
      return true;
    }
  }
  append(c);
  if (character != nullptr && stored_ < character->length) character->text[stored_++] = c;
  return false;
}

// Reads the next value into the value buffer (and a quoted one into `character`).
void ListReader::scan_value(CharacterItem* character) {
  length_ = 0;
  form_ = Form::Plain;
  stored_ = 0;
  record_consumed_ = false;
  for (;;) {
    const unsigned char byte = next_byte();
    const char c = static_cast<char>(byte);
    if (byte == kCr || byte == kLf) {
      if (byte == kCr) skip_record();
      if (form_ == Form::Quoted) {
        next_byte();  // a quoted value goes on after the first byte of the next line
        continue;
      }
      if (!blank_ends_value()) continue;  // blank lines before a value, or inside parentheses
      // The line end ended the value, also when that is a bare repeat count (3* at the end of
      // the line): the record advance must not skip the line after it.
      record_consumed_ = true;
      last_separator_ = ' ';
      return;
    }
    if (form_ == Form::Quoted) {
      if (take_quoted_byte(c, character)) return;
      continue;
    }
    switch (c) {
      case ' ':
      case '\t':
        if (!blank_ends_value()) continue;
        last_separator_ = ' ';
        return;
      case '(':
        if (!at_value_start()) break;
        form_ = Form::Parenthesised;
        continue;
      case '\'':
      case '"':
        if (!at_value_start()) break;
        form_ = Form::Quoted;
        quote_ = c;
        continue;
      case ')':
        if (form_ != Form::Parenthesised) break;
        last_separator_ = ' ';
        return;
      case '*':
        take_repeat_count();
        continue;
      case ',':
        if (length_ == 0 && pending_repeats_ == 0 && last_separator_ == ' ') {
          last_separator_ = ',';  // blank and comma make one separator
          continue;
        }
        if (form_ == Form::Parenthesised) break;
        last_separator_ = ',';
        return;
      case '/':
        last_separator_ = '/';
        return;
      default:
        break;
    }
    append(c);
  }
}

// Makes the value for the next item current: a repetition of the last one, a newly scanned one,
// or nothing when a slash has ended the list.
ListReader::Taken ListReader::take_value(CharacterItem* character) {
  if (pending_repeats_ > 0) {
    --pending_repeats_;
    return Taken::Repeated;
  }
  if (last_separator_ == '/') return Taken::Nothing;
  scan_value(character);
  return Taken::Scanned;
}

template <typename T, typename Convert>
void ListReader::read_number(T& target, Convert convert) {
  // A value without characters is a null value: the item keeps what it held.
  if (take_value(nullptr) == Taken::Nothing || length_ == 0) return;
  if (form_ != Form::Plain) stop_at_value_error(process::kDelimitedNumber, written_value());
  const Converted<T> result = convert(value_text());
  if (result.error != nullptr) stop_at_value_error(*result.error, value_text());
  target = result.value;
}

ListReader::Result ListReader::read_integer_item(std::int32_t& target) {
  return stopping_at_errors([&] { read_number(target, convert_integer); });
}

ListReader::Result ListReader::read_real_item(double& target) {
  return stopping_at_errors([&] { read_number(target, convert_real); });
}

ListReader::Result ListReader::read_character_item(char* target, int length) {
  return stopping_at_errors([&] {
    CharacterItem item{target, std::max(length, 0)};
    const Taken taken = take_value(&item);
    if (taken == Taken::Nothing || length_ == 0) return;
    int filled = stored_;  // a newly read quoted value is in place already
    if (form_ != Form::Quoted || taken == Taken::Repeated) {
      filled = std::min(length_, item.length);
      std::memcpy(target, value_, static_cast<std::size_t>(filled));
    }
    std::memset(target + filled, ' ', static_cast<std::size_t>(item.length - filled));
  });
}

ListReader::Result ListReader::end_read() {
  return stopping_at_errors([&] {
    if (!record_consumed_) skip_record();
  });
}

}  // namespace textio
