// The texts of the run-time errors raised by the file layer, the reader, the writer and the
// storage of arrays. Arithmetic faults build their own texts.
#include "process/run_time_error.h"

namespace process {
namespace {

struct NumberedText {
  int number;
  std::string_view text;
};

constexpr NumberedText kTexts[] = {
    {6100, "integer value out of range"},
    {6101, "invalid integer"},
    {6102, "real value out of range"},
    {6103, "invalid real"},
    {6300, "KEEP not allowed for a scratch file"},
    {6302, "more than one radix mark in an integer"},
    {6303, "radix out of range 2 to 36"},
    {6404, "cannot delete file: access denied"},
    {6412, "invalid file name or open request"},
    {6413, "file already connected to another unit"},
    {6414, "access to file denied"},
    {6415, "file already exists"},
    {6416, "file not found"},
    {6417, "too many open files"},
    {6418, "too many units connected"},
    {6421, "cannot write file: access denied or file locked"},
    {6422, "cannot write file: disk full"},
    {6500, "read error reported by the system"},
    {6501, "end of file"},
    {6502, "repeat count of zero"},
    {6503, "more than one repeat count in a value"},
    {6504, "quoted or parenthesised value for a number"},
    {6700, "out of memory for the unit"},
    {6772, "not enough memory for an array"},
};

}  // namespace

std::string_view run_time_error_text(int number) {
  for (const auto& entry : kTexts) {
    if (entry.number == number) return entry.text;
  }
  return {};
}

}  // namespace process
