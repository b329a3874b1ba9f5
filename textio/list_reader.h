#pragma once
// List-directed value reader: free-form values separated by blanks, commas or line ends, with
// repeat counts, null values, quoted text and a slash that ends the list.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "process/run_time_error_report.h"
#include "textio/list_input.h"

namespace textio {

// One read operation: made at its start, on the source of its bytes, which must outlive it; the
// items follow, then end_read. Each returns the run-time error of the read that stopped it, or
// none; after an error the operation is over, and so is the reading of its source.
class ListReader {
 public:
  using Result = std::optional<process::RunTimeErrorReport>;

  explicit ListReader(ByteSource& source) : source_(source) {}
  ListReader(const ListReader&) = delete;
  ListReader& operator=(const ListReader&) = delete;

  [[nodiscard]] Result read_integer_item(std::int32_t& target);
  [[nodiscard]] Result read_real_item(double& target);
  // `target` holds `length` bytes, blank-padded.
  [[nodiscard]] Result read_character_item(char* target, int length);
  // Ends the read operation: the source moves to the start of the next record.
  [[nodiscard]] Result end_read();

 private:
  // Characters kept of an undelimited value; a longer one is read to its end and cut.
  static constexpr int kValueCapacity = 259;
  enum class Form { Plain, Quoted, Parenthesised };
  enum class Taken { Nothing, Scanned, Repeated };
  // A character item being read: quoted text goes straight into it.
  struct CharacterItem {
    char* text;
    int length;
  };

  // How a step stops at an error: unwound to the item it belongs to, which returns the report.
  struct Stopped {
    process::RunTimeErrorReport report;
  };
  template <typename Step>
  Result stopping_at_errors(Step step);

  std::string_view value_text() const { return {value_, static_cast<std::size_t>(length_)}; }
  std::string written_value() const;
  [[noreturn]] void stop_at_value_error(const process::RunTimeError& error,
                                        std::string_view shown) const;
  [[noreturn]] void stop_at_count_error(const process::RunTimeError& error) const;
  unsigned char next_byte();
  void skip_record();
  void append(char c);
  bool at_value_start() const { return form_ == Form::Plain && length_ == 0; }
  bool blank_ends_value() const;
  void take_repeat_count();
  bool take_quoted_byte(char c, CharacterItem* character);
  void scan_value(CharacterItem* character);
  Taken take_value(CharacterItem* character);
  template <typename T, typename Convert>
  void read_number(T& target, Convert convert);

  ByteSource& source_;
  // An LF that ended a quoted value, left for the record advance.
  bool lf_held_ = false;
  // A blank, ",", "/" or the byte after a closing quote; the list starts as after a comma.
  char last_separator_ = ',';
  // Further items that get the current value again.
  unsigned pending_repeats_ = 0;
  // The record end ended the value: the record advance has nothing left to skip.
  bool record_consumed_ = false;

  // The current value: its first characters, its form and, when quoted, how many of its
  // characters went into the character item.
  char value_[kValueCapacity + 1] = {};
  int length_ = 0;
  Form form_ = Form::Plain;
  char quote_ = 0;
  int stored_ = 0;
};

}  // namespace textio
