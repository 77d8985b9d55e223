#pragma once

// The one place where the program's texts meet the Windows API's wchar_t
// (on Windows a UTF-16 code unit, as char16_t is).
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

[[nodiscard]] inline std::string WideToUtf8(std::wstring_view text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int length =
      ::WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(length), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, text.data(), size, utf8.data(), length, nullptr, nullptr);
  return utf8;
}

// The 8-bit registry functions take the system's ANSI code page.
[[nodiscard]] inline std::string ToAnsi(std::u16string_view text) {
  if (text.empty()) return {};
  const std::wstring wide = ToWide(text);
  const int size = static_cast<int>(wide.size());
  const int length =
      ::WideCharToMultiByte(CP_ACP, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
  std::string ansi(static_cast<std::size_t>(length > 0 ? length : 0), '\0');
  if (length > 0) {
    ::WideCharToMultiByte(CP_ACP, 0, wide.data(), size, ansi.data(), length, nullptr, nullptr);
  }
  return ansi;
}

}  // namespace lumora
