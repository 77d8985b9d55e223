#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <type_traits>
#include <vector>

#include "app/toolkit/element.h"
#include "app/toolkit/twips.h"

namespace lumora {

// What an element is; what each kind means on a platform is that platform's
// one table of kinds.
enum class ElementKind : std::uint8_t {
  kFrame,
  kTextBox,
  kPanel,
  kCheckBox,
  kOptionButton,
  kCommandButton,
  kLabel,
};
inline constexpr int kElementKindCount = static_cast<int>(ElementKind::kLabel) + 1;

// What a kind takes on any platform; each platform's table of kinds says how.
[[nodiscard]] constexpr bool TakesCaption(ElementKind kind) {
  return kind != ElementKind::kTextBox && kind != ElementKind::kPanel;
}
[[nodiscard]] constexpr bool TurnsRightToLeft(ElementKind kind) {
  return kind == ElementKind::kFrame || kind == ElementKind::kCheckBox ||
         kind == ElementKind::kOptionButton || kind == ElementKind::kLabel;
}
[[nodiscard]] constexpr bool HoldsElements(ElementKind kind) {
  return kind == ElementKind::kFrame || kind == ElementKind::kPanel;
}
// A click on it runs the row's handler.
[[nodiscard]] constexpr bool RunsClicks(ElementKind kind) {
  return kind == ElementKind::kCommandButton;
}

// The object that handles a window's events. A description row names the
// method that handles its element's click.
class FormEvents {
 protected:
  FormEvents() = default;
  ~FormEvents() = default;

 public:
  FormEvents(const FormEvents&) = delete;
  FormEvents& operator=(const FormEvents&) = delete;
};

// A row's click handler: a method of the form whose window is named. Only
// OnClick makes one, so a method cannot be paired with another form's window.
class ClickHandler {
 public:
  constexpr ClickHandler() = default;

  [[nodiscard]] constexpr explicit operator bool() const { return bound_; }
  // The window whose form declares the method.
  [[nodiscard]] constexpr Element Form() const { return form_; }
  void operator()(FormEvents& events) const { call_(events); }

 private:
  template <auto Method>
  friend consteval ClickHandler OnClick();
  constexpr ClickHandler(void (*call)(FormEvents& events), Element form)
      : call_(call), form_(form), bound_(true) {}

  void (*call_)(FormEvents& events) = nullptr;
  Element form_{};
  // Not call_ != nullptr: under the sanitizers a function's address is no
  // constant, and the descriptions are checked at compile time.
  bool bound_ = false;
};

template <typename Method>
struct FormOfMethod;
template <typename Form>
struct FormOfMethod<void (Form::*)()> {
  static_assert(std::is_base_of_v<FormEvents, Form>, "a click handler is a form's method");
  using Type = Form;
};

// Calls a form's method on the events object of the form that declares it;
// the window's type guarantees the object is that form.
template <auto Method>
void CallFormMethod(FormEvents& events) {
  using Form = typename FormOfMethod<decltype(Method)>::Type;
  (static_cast<Form&>(events).*Method)();
}

// A form's method as a row's click handler: OnClick<&MainForm::cmdApply_Click>().
template <auto Method>
[[nodiscard]] consteval ClickHandler OnClick() {
  return {&CallFormMethod<Method>, FormOfMethod<decltype(Method)>::Type::kWindow};
}

// One element of a window as created: the container is the window itself or
// another element of the same table, listed before it.
struct ElementDesc {
  Element element;
  ElementKind kind;
  Element container;
  std::u16string_view caption;
  TwipsRect rect;
  int tab_index;
  ClickHandler on_click = {};
};

// One menu or menu item; a top-level menu has the window as its parent.
struct MenuDesc {
  Element item;
  Element parent;
  std::u16string_view caption;  // "-" is a separator line
  std::u16string_view shortcut_text;
  char16_t shortcut_key;  // with Ctrl; 0 for none
  ClickHandler on_click = {};
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

// The elements in focus order: lowest tab index first.
[[nodiscard]] std::vector<const ElementDesc*> TabOrder(const FormDesc& form);

}  // namespace lumora
