#include "textio/list_reader.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>

#include "process/run_time_error.h"
#include "textio/integer_conversion.h"
#include "textio/list_input.h"
#include "textio/real_conversion.h"

namespace textio {
namespace {

constexpr unsigned char kCr = 0x0D;
constexpr unsigned char kLf = 0x0A;
// Characters kept of an undelimited value; a longer one is read to its end and cut.
constexpr int kValueCapacity = 259;

constexpr int kZeroRepeatCount = 6502;
constexpr int kSecondRepeatCount = 6503;
constexpr int kDelimitedNumber = 6504;

enum class Form { Plain, Quoted, Parenthesised };

// A character item being read: quoted text goes straight into it.
struct CharacterItem {
  char* text;
  int length;
};

// The state of the one read operation in progress.
struct ReadOperation {
  ByteSource* source = nullptr;
  // An LF that ended a quoted value, left for the record advance.
  bool lf_held = false;
  // A blank, ",", "/" or the byte after a closing quote; the list starts as after a comma.
  char last_separator = ',';
  // Further items that get the current value again.
  unsigned pending_repeats = 0;
  // The record end ended the value: the record advance has nothing left to skip.
  bool record_consumed = false;

  // The current value: its first characters, its form and, when quoted, how many of its
  // characters went into the character item.
  char value[kValueCapacity + 1] = {};
  int length = 0;
  Form form = Form::Plain;
  char quote = 0;
  int stored = 0;
};

ReadOperation op;

std::string_view value_text() { return {op.value, static_cast<std::size_t>(op.length)}; }

// Ends the run with error `number`, naming the value it is about as `shown`.
[[noreturn]] void raise_value_error(int number, std::string_view shown) {
  std::string text(process::run_time_error_text(number));
  text.append(": \"").append(shown).append("\"");
  process::raise_run_time_error(number, process::Operation::Read, op.source->file_name(), text);
}

// The value as written: a quoted or parenthesised one with its delimiters.
std::string written_value() {
  std::string shown(value_text());
  if (op.form == Form::Quoted) return op.quote + shown + op.quote;
  if (op.form == Form::Parenthesised) return "(" + shown + ")";
  return shown;
}

unsigned char next_byte() {
  if (op.lf_held) {
    op.lf_held = false;
    return kLf;
  }
  return op.source->next_byte();
}

// Consumes the rest of the current record through its LF.
void skip_record() {
  if (op.lf_held) {
    op.lf_held = false;
    return;
  }
  op.source->skip_to_next_record();
}

void append(char c) {
  if (op.length < kValueCapacity) op.value[op.length++] = c;
}

bool at_value_start() { return op.form == Form::Plain && op.length == 0; }

// A blank ends a value that has characters or a repeat count before it, except inside
// parentheses; otherwise it is skipped.
bool blank_ends_value() {
  return op.form != Form::Parenthesised && (op.length > 0 || op.pending_repeats > 0);
}

// An error in the repeat count that the value so far and a "*" make.
[[noreturn]] void raise_count_error(int number) {
  raise_value_error(number, std::string(value_text()) + "*");
}

// "*": the characters so far are how many items get the value.
void take_repeat_count() {
  if (op.pending_repeats > 0) raise_count_error(kSecondRepeatCount);
  const Converted<std::int32_t> count = convert_integer(value_text());
  if (count.error != 0) raise_count_error(count.error);
  if (count.value == 0) raise_count_error(kZeroRepeatCount);
  op.pending_repeats = static_cast<unsigned>(count.value) - 1;
  op.length = 0;
}

// A byte of a quoted value; true when it closed the value. Two quotes in a row stand for one.
bool take_quoted_byte(char c, CharacterItem* character) {
  if (c == op.quote) {
    const unsigned char after = next_byte();
    if (after != static_cast<unsigned char>(op.quote)) {
      if (after == kLf) {
        op.lf_held = true;
      } else {
        op.last_separator = static_cast<char>(after);
      }
      return true;
    }
  }
  append(c);
  if (character != nullptr && op.stored < character->length) character->text[op.stored++] = c;
  return false;
}

// Reads the next value into the value buffer (and a quoted one into `character`).
void scan_value(CharacterItem* character) {
  op.length = 0;
  op.form = Form::Plain;
  op.stored = 0;
  op.record_consumed = false;
  for (;;) {
    const unsigned char byte = next_byte();
    const char c = static_cast<char>(byte);
    if (byte == kCr || byte == kLf) {
      if (byte == kCr) op.source->skip_to_next_record();
      if (op.form == Form::Quoted) {
        next_byte();  // a quoted value goes on after the first byte of the next line
        continue;
      }
      if (!blank_ends_value()) continue;  // blank lines before a value, or inside parentheses
      // The line end ended the value, also when that is a bare repeat count (3* at the end of
      // the line): the record advance must not skip the line after it.
      op.record_consumed = true;
      op.last_separator = ' ';
      return;
    }
    if (op.form == Form::Quoted) {
      if (take_quoted_byte(c, character)) return;
      continue;
    }
    switch (c) {
      case ' ':
      case '\t':
        if (!blank_ends_value()) continue;
        op.last_separator = ' ';
        return;
      case '(':
        if (!at_value_start()) break;
        op.form = Form::Parenthesised;
        continue;
      case '\'':
      case '"':
        if (!at_value_start()) break;
        op.form = Form::Quoted;
        op.quote = c;
        continue;
      case ')':
        if (op.form != Form::Parenthesised) break;
        op.last_separator = ' ';
        return;
      case '*':
        take_repeat_count();
        continue;
      case ',':
        if (op.length == 0 && op.pending_repeats == 0 && op.last_separator == ' ') {
          op.last_separator = ',';  // blank and comma make one separator
          continue;
        }
        if (op.form == Form::Parenthesised) break;
        op.last_separator = ',';
        return;
      case '/':
        op.last_separator = '/';
        return;
      default:
        break;
    }
    append(c);
  }
}

enum class Taken { Nothing, Scanned, Repeated };

// Makes the value for the next item current: a repetition of the last one, a newly scanned one,
// or nothing when a slash has ended the list.
Taken take_value(CharacterItem* character) {
  if (op.pending_repeats > 0) {
    --op.pending_repeats;
    return Taken::Repeated;
  }
  if (op.last_separator == '/') return Taken::Nothing;
  scan_value(character);
  return Taken::Scanned;
}

template <typename T>
void read_number(T& target, Converted<T> (*convert)(std::string_view)) {
  // A value without characters is a null value: the item keeps what it held.
  if (take_value(nullptr) == Taken::Nothing || op.length == 0) return;
  if (op.form != Form::Plain) raise_value_error(kDelimitedNumber, written_value());
  const Converted<T> result = convert(value_text());
  if (result.error != 0) raise_value_error(result.error, value_text());
  target = result.value;
}

}  // namespace

void begin_list_read(ByteSource& source) {
  op = ReadOperation{};
  op.source = &source;
}

void read_integer_item(std::int32_t& target) { read_number(target, convert_integer); }

void read_real_item(double& target) { read_number(target, convert_real); }

void read_character_item(char* target, int length) {
  CharacterItem item{target, std::max(length, 0)};
  const Taken taken = take_value(&item);
  if (taken == Taken::Nothing || op.length == 0) return;
  int filled = op.stored;  // a newly read quoted value is in place already
  if (op.form != Form::Quoted || taken == Taken::Repeated) {
    filled = std::min(op.length, item.length);
    std::memcpy(target, op.value, static_cast<std::size_t>(filled));
  }
  std::memset(target + filled, ' ', static_cast<std::size_t>(item.length - filled));
}

void end_read() {
  if (!op.record_consumed) skip_record();
  op.source = nullptr;
}

}  // namespace textio
