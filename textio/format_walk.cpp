#include "textio/format_walk.h"

#include <algorithm>
#include <string>

#include "textio/number_rendering.h"

namespace textio {
namespace {

// The current record: what has been placed in it and the blanks waiting in front of the next
// text. Pending blanks are written only when text follows them, so a record never ends in the
// blanks of a tab.
class RecordCursor {
 public:
  explicit RecordCursor(RecordSink& sink) : sink_(sink) {}

  void place(std::string_view text) {
    put_pending_blanks();
    sink_.put(text.data(), text.size());
    length_ += static_cast<long>(text.size());
  }

  // The next text starts in `column` (from 1). A tab back into what is already placed cannot
  // move the text there: it goes on at the end of the record.
  void tab_to(int column) { pending_ = std::max(0L, static_cast<long>(column) - 1 - length_); }

  void end_record() {
    pending_ = 0;
    length_ = 0;
    sink_.end_record();
  }

 private:
  void put_pending_blanks() {
    constexpr std::string_view blanks = "                                                                ";
    length_ += pending_;
    while (pending_ > 0) {
      long count = std::min<long>(pending_, static_cast<long>(blanks.size()));
      sink_.put(blanks.data(), static_cast<std::size_t>(count));
      pending_ -= count;
    }
  }

  RecordSink& sink_;
  long length_ = 0;
  long pending_ = 0;
};

bool is_data_descriptor(FormatItem::Kind kind) {
  using Kind = FormatItem::Kind;
  return kind == Kind::Exponent || kind == Kind::Fixed || kind == Kind::Integer;
}

void render_value(const WriteValue& value, const FormatItem& item, int scale, std::string& field) {
  using Kind = FormatItem::Kind;
  bool real = value.kind == WriteValue::Kind::Real;
  if (item.kind == Kind::Exponent && real) {
    render_exponent_field(value.real, item.width, item.decimals, scale, field);
  } else if (item.kind == Kind::Fixed && real) {
    render_fixed_field(value.real, item.width, item.decimals, scale, field);
  } else if (item.kind == Kind::Integer && !real) {
    render_integer_field(value.integer, item.width, field);
  } else {
    render_overflow_field(item.width, field);
  }
}

}  // namespace

bool FormatWalker::keep(std::string_view format) {
  if (scanned_ && format == text_) return kept_;
  scanned_ = true;
  text_.assign(format);
  items_.clear();
  FormatScanner scanner(text_);  // the items refer to the copy of the text
  do {
    items_.push_back(scanner.next());
  } while (items_.back().kind != FormatItem::Kind::End && items_.size() < kMostItems);
  kept_ = items_.back().kind == FormatItem::Kind::End;
  return kept_;
}

void FormatWalker::execute(std::string_view format, const std::vector<WriteValue>& values,
                           RecordSink& sink) {
  using Kind = FormatItem::Kind;
  const bool kept = keep(format);
  FormatScanner scanner(format);  // for a format too long to keep
  std::size_t position = 0;
  auto next_item = [&] { return kept ? items_[position++] : scanner.next(); };
  RecordCursor record(sink);
  int scale = 0;  // every statement starts with scale factor 0
  std::size_t next_value = 0;
  for (FormatItem item = next_item(); item.kind != Kind::End; item = next_item()) {
    if (is_data_descriptor(item.kind)) {
      if (next_value == values.size()) break;
      render_value(values[next_value++], item, scale, field_);
      record.place(field_);
    } else if (item.kind == Kind::Literal) {
      record.place(item.text);
    } else if (item.kind == Kind::Slash) {
      for (int i = 0; i < item.count; ++i) record.end_record();
    } else if (item.kind == Kind::Tab) {
      record.tab_to(item.count);
    } else if (item.kind == Kind::Scale) {
      scale = item.count;
    }
  }
  record.end_record();
}

}  // namespace textio
