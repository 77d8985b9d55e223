#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "app/toolkit/element.h"
#include "app/toolkit/twips.h"

namespace lumora {

enum class ElementKind : std::uint8_t {
  kFrame,
  kTextBox,
  kPanel,
  kCheckBox,
  kOptionButton,
  kCommandButton,
  kLabel,
};

// One element of a window as created: the container is the window itself or
// another element of the same table, listed before it.
struct ElementDesc {
  Element element;
  ElementKind kind;
  Element container;
  std::u16string_view caption;
  TwipsRect rect;
  int tab_index;
};

// One menu or menu item; a top-level menu has the window as its parent.
struct MenuDesc {
  Element item;
  Element parent;
  std::u16string_view caption;  // "-" is a separator line
  std::u16string_view shortcut_text;
  char16_t shortcut_key;  // with Ctrl; 0 for none
};

struct FontDesc {
  std::u16string_view face;
  int hundredths_of_point;
  int weight;
  int charset;
};

struct FormDesc {
  Element window;
  std::u16string_view caption;
  int client_width;   // twips
  int client_height;  // twips
  int screen_left;    // where the client area starts, twips from the screen's corner
  int screen_top;
  std::span<const ElementDesc> elements;
  std::span<const MenuDesc> menu;
  FontDesc window_font;
  // Panels' own font; an empty face gives panels the window's font.
  FontDesc panel_font;
};

// Control and menu command identifiers stay clear of IDOK and IDCANCEL, so
// the dialog keys never reach a handler.
inline constexpr int kFirstControlId = 1000;
[[nodiscard]] constexpr int ControlId(Element element) {
  return kFirstControlId + static_cast<int>(element);
}
[[nodiscard]] bool ElementFromControlId(int id, Element& element);

// nullptr when the element is not one of the window's.
[[nodiscard]] const ElementDesc* FindElement(const FormDesc& form, Element element);
[[nodiscard]] const MenuDesc* FindMenu(const FormDesc& form, Element item);

// The elements in focus order: lowest tab index first.
[[nodiscard]] std::vector<const ElementDesc*> TabOrder(const FormDesc& form);

// Whether the user can put the focus on an element of this kind.
[[nodiscard]] constexpr bool TakesFocus(ElementKind kind) {
  return kind == ElementKind::kTextBox || kind == ElementKind::kCheckBox ||
         kind == ElementKind::kOptionButton || kind == ElementKind::kCommandButton;
}

}  // namespace lumora
