#pragma once

#include <string>

namespace lumora {

// A number in decimal digits. Kept apart from std::to_string, which on
// MinGW links a whole printf implementation into the program for this.
template <typename Char = char>
[[nodiscard]] std::basic_string<Char> DecimalText(long long value) {
  Char digits[24] = {};
  int at = 24;
  // Negated digit by digit, so the most negative number needs no special case.
  const bool negative = value < 0;
  do {
    const long long digit = value % 10;
    digits[--at] = static_cast<Char>('0' + (negative ? -digit : digit));
    value /= 10;
  } while (value != 0);
  if (negative) digits[--at] = static_cast<Char>('-');
  return {digits + at, digits + 24};
}

}  // namespace lumora
