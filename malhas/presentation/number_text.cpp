#include "malhas/presentation/number_text.h"

#include <charconv>
#include <cmath>

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

std::string exact_text(fin::Quad value) { return fin::RealTraits<fin::Quad>::text(value); }

std::string shortest_text(double value) {
  char buffer[32];  // the longest shortest form, "-2.2250738585072014e-308", fits
  const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
  return std::string(buffer, end);
}

std::string scientific_text(double value, int digits) {
  return chars(value, std::chars_format::scientific, digits - 1);
}

std::string fixed_text(double value, int decimals) {
  return chars(value, std::chars_format::fixed, decimals);
}

std::string short_text(double value, int digits) {
  return chars(value, std::chars_format::general, digits);
}

std::string below_bound_text(double bound) {
  std::string text = scientific_text(bound, 2);
  double shown = 0;
  std::from_chars(text.data(), text.data() + text.size(), shown);
  if (shown < bound) {  // rounded down: one more unit in the second digit
    const int exponent = std::stoi(text.substr(text.find('e') + 1));
    text = scientific_text(shown + std::pow(10.0, exponent - 1), 2);
  }
  return "< " + text;
}

}  // namespace malhas
