#pragma once

#include <concepts>
#include <limits>
#include <string>

namespace lumora {

// A number in decimal digits, for any integer type at its own width. Kept
// apart from std::to_string, which on MinGW links a whole printf
// implementation into the program for this.
template <std::integral Number>
[[nodiscard]] std::u16string DecimalText(Number value) {
  // digits10 counts the digits every value has; one more for the longest
  // values and one for the sign.
  constexpr int kSize = std::numeric_limits<Number>::digits10 + 2;
  char16_t digits[kSize] = {};
  int at = kSize;
  // Negated digit by digit, so the most negative number needs no special case.
  const bool negative = value < 0;
  do {
    const auto digit = static_cast<int>(value % 10);
    digits[--at] = static_cast<char16_t>(u'0' + (negative ? -digit : digit));
    value /= 10;
  } while (value != 0);
  if (negative) digits[--at] = u'-';
  return {digits + at, digits + kSize};
}

}  // namespace lumora
