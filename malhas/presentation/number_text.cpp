#include "malhas/presentation/number_text.h"

#include <charconv>

#include "fin/real.h"

namespace malhas {
namespace {

std::string chars(double value, std::chars_format format, int precision) {
  char buffer[400];  // a fixed double of 308 digits before the point fits
  const auto end = std::to_chars(buffer, buffer + sizeof buffer, value, format, precision).ptr;
  return std::string(buffer, end);
}

}  // namespace

std::string exact_text(double value) { return fin::RealTraits<double>::text(value); }

std::string scientific_text(double value, int digits) {
  return chars(value, std::chars_format::scientific, digits - 1);
}

std::string fixed_text(double value, int decimals) {
  return chars(value, std::chars_format::fixed, decimals);
}

std::string short_text(double value, int digits) {
  return chars(value, std::chars_format::general, digits);
}

}  // namespace malhas
