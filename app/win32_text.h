#pragma once

// The one place where the program's texts meet the Windows API's wchar_t
// (Windows only: there wchar_t is a UTF-16 code unit).
#include <windows.h>

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

// Error descriptions are UTF-8; invalid bytes become U+FFFD.
[[nodiscard]] inline std::wstring Utf8ToWide(std::string_view text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int length = ::MultiByteToWideChar(CP_UTF8, 0, text.data(), size, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, text.data(), size, wide.data(), length);
  return wide;
}

}  // namespace lumora
