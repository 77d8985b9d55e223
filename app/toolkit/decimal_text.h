#pragma once

#include <string>

namespace lumora {

// A number in decimal digits. Kept apart from std::to_string, which on
// MinGW links a whole printf implementation into the program for this.
[[nodiscard]] inline std::u16string DecimalText(long value) {
  char16_t digits[12] = {};
  int at = 12;
  // Negated digit by digit, so the most negative number needs no special case.
  const bool negative = value < 0;
  do {
    const long digit = value % 10;
    digits[--at] = static_cast<char16_t>(u'0' + (negative ? -digit : digit));
    value /= 10;
  } while (value != 0);
  if (negative) digits[--at] = u'-';
  return {digits + at, digits + 12};
}

}  // namespace lumora
