#include "app/toolkit/element.h"

#include <array>

namespace lumora {

namespace {
// clang-format off
constexpr std::array<std::string_view, kElementCount> kNames = {
    "frmMain",        "framOpt",        "txtCur",       "framMain",
    "pic",            "chkSuper",       "OptShow",      "OptHide",
    "cmdExit",        "cmdAbout",       "cmdApply",     "mnuFile",
    "mnuFileApply",   "mnuFileSpace1",  "mnuFileExit",  "mnuLang",
    "mnuLangEnglish", "mnuLangPersian", "mnuHelp",      "mnuHelpAbout",
    "frmAbout",       "Picture1",       "cmdOK",        "Label1",
};
// clang-format on
}  // namespace

std::string_view ElementName(Element element) noexcept {
  const auto index = static_cast<std::size_t>(element);
  return index < kNames.size() ? kNames[index] : std::string_view{"?"};
}

}  // namespace lumora
