#pragma once

#include <windows.h>

#include <array>
#include <cstddef>
#include <cstdint>

#include "app/toolkit/form_desc.h"

namespace lumora {

// The registered class of the toolkit's own panels.
inline constexpr wchar_t kPanelClass[] = L"LumoraPanel";

// How right-to-left reading order takes effect on an element.
enum class RightToLeftBy : std::uint8_t {
  kNotSupported,
  kMirroring,     // laid out mirrored: its box, text and contents on the right
  kReadingOrder,  // its text only, read right to left
};

// What an element kind is on Win32. Every decision that depends on a kind
// reads this table.
struct KindTraits {
  ElementKind kind;
  const wchar_t* window_class;
  DWORD style;
  DWORD ex_style;
  bool forms_group;  // such elements in one container form one option group
  RightToLeftBy right_to_left;
  bool aligns_text;       // takes a label alignment
  bool takes_panel_font;  // a window's panel font, where it has one

  // Tab stops are the elements the user can put the focus on.
  [[nodiscard]] constexpr bool TakesFocus() const { return (style & WS_TABSTOP) != 0; }
  // The dialog keys walk into elements that hold others.
  [[nodiscard]] constexpr bool HoldsElements() const {
    return (ex_style & WS_EX_CONTROLPARENT) != 0;
  }
};

// clang-format off
inline constexpr std::array<KindTraits, kElementKindCount> kKindTraits = {{
    {ElementKind::kFrame,         L"BUTTON", BS_GROUPBOX,                                 WS_EX_CONTROLPARENT, false, RightToLeftBy::kMirroring,    false, false},
    {ElementKind::kTextBox,       L"EDIT",   ES_READONLY | ES_AUTOHSCROLL | WS_TABSTOP,   WS_EX_CLIENTEDGE,    false, RightToLeftBy::kNotSupported, false, false},
    {ElementKind::kPanel,         kPanelClass, 0,                                         WS_EX_CONTROLPARENT, false, RightToLeftBy::kNotSupported, false, true},
    {ElementKind::kCheckBox,      L"BUTTON", BS_AUTOCHECKBOX | BS_NOTIFY | WS_TABSTOP,    0,                   false, RightToLeftBy::kMirroring,    false, false},
    {ElementKind::kOptionButton,  L"BUTTON", BS_AUTORADIOBUTTON | BS_NOTIFY | WS_TABSTOP, 0,                   true,  RightToLeftBy::kMirroring,    false, false},
    {ElementKind::kCommandButton, L"BUTTON", BS_PUSHBUTTON | BS_NOTIFY | WS_TABSTOP,      0,                   false, RightToLeftBy::kNotSupported, false, false},
    {ElementKind::kLabel,         L"STATIC", SS_LEFT,                                     0,                   false, RightToLeftBy::kReadingOrder, true,  false},
}};
// clang-format on

[[nodiscard]] constexpr const KindTraits& TraitsOf(ElementKind kind) {
  return kKindTraits[static_cast<std::size_t>(kind)];
}

static_assert(
    [] {
      for (std::size_t i = 0; i < kKindTraits.size(); ++i) {
        if (static_cast<std::size_t>(kKindTraits[i].kind) != i) return false;
      }
      return true;
    }(),
    "the kinds' rows stand in the order of ElementKind");
static_assert(
    [] {
      for (const KindTraits& traits : kKindTraits) {
        if (traits.HoldsElements() != HoldsElements(traits.kind) ||
            (traits.right_to_left != RightToLeftBy::kNotSupported) !=
                TurnsRightToLeft(traits.kind)) {
          return false;
        }
      }
      return true;
    }(),
    "each kind holds elements and turns right to left on Win32 as it does anywhere");

}  // namespace lumora
