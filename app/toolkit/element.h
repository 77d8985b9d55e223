#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace lumora {

// Every window, element and menu item the program's procedures address. One
// list makes both the enumerators and their printable names, so the two
// cannot drift apart.
// NOLINTBEGIN(cppcoreguidelines-macro-usage)
#define LUMORA_ELEMENTS(X) \
  X(frmMain)               \
  X(framOpt)               \
  X(txtCur)                \
  X(framMain)              \
  X(pic)                   \
  X(chkSuper)              \
  X(OptShow)               \
  X(OptHide)               \
  X(cmdExit)               \
  X(cmdAbout)              \
  X(cmdApply)              \
  X(mnuFile)               \
  X(mnuFileApply)          \
  X(mnuFileSpace1)         \
  X(mnuFileExit)           \
  X(mnuLang)               \
  X(mnuLangEnglish)        \
  X(mnuLangPersian)        \
  X(mnuHelp)               \
  X(mnuHelpAbout)          \
  X(frmAbout)              \
  X(Picture1)              \
  X(cmdOK)                 \
  X(Label1)

#define LUMORA_ENUMERATOR(name) name,
enum class Element : std::uint8_t { LUMORA_ELEMENTS(LUMORA_ENUMERATOR) };
#undef LUMORA_ENUMERATOR

#define LUMORA_NAME(name) #name,
inline constexpr std::array kElementNames = {LUMORA_ELEMENTS(LUMORA_NAME)};
#undef LUMORA_NAME
// NOLINTEND(cppcoreguidelines-macro-usage)

inline constexpr int kElementCount = static_cast<int>(kElementNames.size());

// An element's place in tables of every element.
[[nodiscard]] constexpr std::size_t Index(Element element) noexcept {
  return static_cast<std::size_t>(element);
}

[[nodiscard]] constexpr std::string_view ElementName(Element element) noexcept {
  const std::size_t index = Index(element);
  return index < kElementNames.size() ? std::string_view{kElementNames[index]}
                                      : std::string_view{"?"};
}

}  // namespace lumora
