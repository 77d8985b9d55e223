#pragma once

#include <cstdint>
#include <string_view>

namespace lumora {

// Every window, element and menu item the program's procedures address.
enum class Element : std::uint8_t {
  frmMain,
  framOpt,
  txtCur,
  framMain,
  pic,
  chkSuper,
  OptShow,
  OptHide,
  cmdExit,
  cmdAbout,
  cmdApply,
  mnuFile,
  mnuFileApply,
  mnuFileSpace1,
  mnuFileExit,
  mnuLang,
  mnuLangEnglish,
  mnuLangPersian,
  mnuHelp,
  mnuHelpAbout,
  frmAbout,
  Picture1,
  cmdOK,
  Label1,
};

inline constexpr int kElementCount = static_cast<int>(Element::Label1) + 1;

[[nodiscard]] std::string_view ElementName(Element element) noexcept;

}  // namespace lumora
