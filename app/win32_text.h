#pragma once

// The one place where the program's UTF-16 text meets the Windows API's
// wchar_t (Windows only: there wchar_t is a UTF-16 code unit).
#include <string>
#include <string_view>

namespace lumora {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows wchar_t is UTF-16");

[[nodiscard]] inline std::wstring ToWide(std::u16string_view text) {
  return {text.begin(), text.end()};
}

[[nodiscard]] inline std::u16string FromWide(std::wstring_view text) {
  return {text.begin(), text.end()};
}

}  // namespace lumora
