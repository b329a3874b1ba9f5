#pragma once
// Input held in memory that behaves like a file holding the same bytes: an unterminated last
// record gets an LF, and reading past the end gives 6501 for the file.
#include <cstddef>
#include <string>
#include <string_view>
#include <utility>

#include "textio/list_input.h"

namespace testing_support {

class MemoryInput final : public textio::ByteSource {
 public:
  explicit MemoryInput(std::string bytes, std::string name = "entradas_geral.ent")
      : bytes_(std::move(bytes)), name_(std::move(name)) {}

  textio::SourceByte next_byte() override {
    if (position_ < bytes_.size()) return {static_cast<unsigned char>(bytes_[position_++])};
    if (!bytes_.empty() && bytes_.back() != '\n' && !completed_) {
      completed_ = true;
      return {'\n'};
    }
    return {0, &process::kEndOfFile};
  }

  std::string_view file_name() const override { return name_; }

  // What has not been read yet.
  std::string_view rest() const { return std::string_view(bytes_).substr(position_); }

 private:
  std::string bytes_;
  std::string name_;
  std::size_t position_ = 0;
  bool completed_ = false;
};

}  // namespace testing_support
