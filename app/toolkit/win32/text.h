#pragma once

// The one place where the program's UTF-16 texts meet the Windows API: on
// Windows wchar_t is a UTF-16 code unit as char16_t is, so texts pass as
// they are, viewed rather than copied.
#include <windows.h>

#include <string>
#include <string_view>

namespace lumora {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows wchar_t is UTF-16");

// A text as the W functions read it, terminated.
[[nodiscard]] inline const wchar_t* WideView(const std::u16string& text) {
  return reinterpret_cast<const wchar_t*>(text.c_str());
}
// A buffer of the program's text as the W functions fill it.
[[nodiscard]] inline wchar_t* WideBuffer(char16_t* buffer) {
  return reinterpret_cast<wchar_t*>(buffer);
}
// A text a W function gave back, copied into the program's text.
[[nodiscard]] inline std::u16string Utf16FromWide(const wchar_t* text, std::size_t length) {
  return {reinterpret_cast<const char16_t*>(text), length};
}

// Whether a window or menu item shows this text already, read by the
// function given into a buffer: setting it again would cost a round trip to
// the window system and change nothing. Room for one more character tells a
// longer text that starts the same apart.
template <typename Read>
[[nodiscard]] bool ShowsText(std::u16string_view text, Read read) {
  std::u16string shown(text.size() + 2, u'\0');
  const int length = read(WideBuffer(shown.data()), static_cast<int>(shown.size()));
  return static_cast<std::size_t>(length) == text.size() &&
         shown.compare(0, text.size(), text) == 0;
}

// ASCII names (operations, elements) as the program's texts.
[[nodiscard]] inline std::u16string Utf16FromAscii(std::string_view ascii) {
  return {ascii.begin(), ascii.end()};
}

// The 8-bit registry functions take the system's ANSI code page.
[[nodiscard]] inline std::string AnsiFromUtf16(std::u16string_view text) {
  const std::u16string wide(text);
  const int size = static_cast<int>(wide.size());
  const int length =
      ::WideCharToMultiByte(CP_ACP, 0, WideView(wide), size, nullptr, 0, nullptr, nullptr);
  std::string ansi(static_cast<std::size_t>(length > 0 ? length : 0), '\0');
  ::WideCharToMultiByte(CP_ACP, 0, WideView(wide), size, ansi.data(), length, nullptr, nullptr);
  return ansi;
}

}  // namespace lumora
