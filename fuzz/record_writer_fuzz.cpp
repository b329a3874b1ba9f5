// Fuzz target: the record writer on arbitrary reals and integers, with the program's formats,
// under the program's floating-point traps. Each value's field is checked against a reference
// derived from its exact decimal expansion (tests/support/reference_fields.h): alone in its
// descriptor, the field must be exactly the reference; in the report's format chosen by the
// first byte, the fields must appear in order. The other bytes are the values, 8 per real and 4
// per integer, taken in the order of the format's data descriptors (missing bytes are zeros).
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "aleta/relatorio_formatos.h"
#include "platform/fp_control.h"
#include "tests/support/reference_fields.h"
#include "textio/format_walk.h"

namespace {

using textio::WriteValue;

// The report's formats and the kinds of their data descriptors in order: E for "1P,E25.15",
// F for "F15.3", I for "I10".
struct ProgramFormat {
  std::string_view format;
  std::string_view descriptors;
};

// The tip condition's line of a scheme solved directly and of one that iterates.
const std::string kDirectTip = aleta::formatos::scheme_format("UDS", false);
const std::string kIteratedTip = aleta::formatos::scheme_format("UDS-2", true);

const ProgramFormat kFormats[] = {
    {aleta::formatos::F1.view(), "EEEEEEE"}, {aleta::formatos::F2.view(), "I"},
    {kDirectTip, ""},                        {kIteratedTip, "EIEIE"},
    {aleta::formatos::F4.view(), "EEE"},     {aleta::formatos::F5.view(), "IEEE"},
    {aleta::formatos::F6.view(), "IEEE"},    {aleta::formatos::F7.view(), ""},
    {aleta::formatos::F8.view(), "EEEE"},    {aleta::formatos::F9.view(), "EEEEE"},
    {aleta::formatos::F10.view(), "F"},
};

class TextSink final : public textio::RecordSink {
 public:
  void put(const char* bytes, std::size_t count) override { text.append(bytes, count); }
  void end_record() override { text += "\r\n"; }
  std::string text;
};

// Takes `count` bytes from the input, zeros once it is used up.
class ValueBytes {
 public:
  ValueBytes(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  void take(void* target, std::size_t count) {
    std::memset(target, 0, count);
    const std::size_t available = std::min(count, size_ - used_);
    std::memcpy(target, data_ + used_, available);
    used_ += available;
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t used_ = 0;
};

std::string expected_field(char descriptor, const WriteValue& value) {
  using namespace testing_support;
  if (descriptor == 'I') {
    const std::string digits = std::to_string(value.integer);
    return digits.size() > 10 ? std::string(10, '*') : std::string(10 - digits.size(), ' ') + digits;
  }
  const int width = descriptor == 'E' ? 25 : 15;
  if (!std::isfinite(value.real)) return expected_nonfinite_field(value.real, width);
  const ExactDecimal s = seventeen_digits(value.real);
  return descriptor == 'E' ? expected_exponent_field(value.real, s)
                           : expected_fixed_field(value.real, s);
}

std::string written(std::string_view format, const std::vector<WriteValue>& values) {
  TextSink sink;
  textio::FormatWalker().execute(format, values, sink);
  return sink.text;
}

[[noreturn]] void fail(const std::string& what, const std::string& got) {
  std::fprintf(stderr, "%s\ngot:\n%s\n", what.c_str(), got.c_str());
  std::abort();
}

// The value alone in its descriptor: one record holding exactly the reference field.
void check_alone(char descriptor, const WriteValue& value, const std::string& expected) {
  static constexpr std::string_view kAlone[] = {"(1P,E25.15)", "(F15.3)", "(I10)"};
  const std::string_view format = kAlone[descriptor == 'E' ? 0 : descriptor == 'F' ? 1 : 2];
  const std::string record = written(format, {value});
  if (record != expected + "\r\n") fail("expected \"" + expected + "\"", record);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const ProgramFormat& chosen = kFormats[data[0] % std::size(kFormats)];
  ValueBytes bytes(data + 1, size - 1);
  std::vector<WriteValue> values;
  std::vector<std::string> expected;
  for (char descriptor : chosen.descriptors) {
    WriteValue value{descriptor == 'I' ? WriteValue::Kind::Integer : WriteValue::Kind::Real};
    if (descriptor == 'I') {
      bytes.take(&value.integer, sizeof value.integer);
    } else {
      bytes.take(&value.real, sizeof value.real);
    }
    values.push_back(value);
    expected.push_back(expected_field(descriptor, value));
  }

  platform::enable_fp_traps();
  for (std::size_t i = 0; i < values.size(); ++i) {
    check_alone(chosen.descriptors[i], values[i], expected[i]);
  }
  const std::string report = written(chosen.format, values);
  platform::suspend_fp_traps();

  std::size_t at = 0;
  for (const std::string& field : expected) {
    at = report.find(field, at);
    if (at == std::string::npos) fail("field \"" + field + "\" missing or out of order", report);
    at += field.size();
  }
  if (report.size() < 2 || report.compare(report.size() - 2, 2, "\r\n") != 0) {
    fail("last record not ended", report);
  }
  return 0;
}
