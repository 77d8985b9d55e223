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

// A row's click handler: a method of the form whose window is named.
struct ClickHandler {
  void (*call)(FormEvents& events) = nullptr;
  Element form{};
  // Not call != nullptr: under the sanitizers a function's address is no
  // constant, and the descriptions are checked at compile time.
  bool bound = false;
  [[nodiscard]] constexpr explicit operator bool() const { return bound; }
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
  return {&CallFormMethod<Method>, FormOfMethod<decltype(Method)>::Type::kWindow, true};
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

// Whether the description is of Form's window and every handler it names
// one of Form's methods.
template <typename Form>
[[nodiscard]] constexpr bool HandlersAreOf(const FormDesc& desc) {
  if (desc.window != Form::kWindow) return false;
  const auto of_form = [](const ClickHandler& handler) {
    return !handler || handler.form == Form::kWindow;
  };
  for (const ElementDesc& row : desc.elements) {
    if (!of_form(row.on_click)) return false;
  }
  for (const MenuDesc& row : desc.menu) {
    if (!of_form(row.on_click)) return false;
  }
  return true;
}

// A description whose handlers are all Form's, made only by DescribeForm.
template <typename Form>
class FormDescFor {
 public:
  [[nodiscard]] constexpr const FormDesc& Desc() const { return desc_; }

 private:
  template <typename Of>
  friend consteval FormDescFor<Of> DescribeForm(const FormDesc& desc);
  constexpr explicit FormDescFor(const FormDesc& desc) : desc_(desc) {}
  FormDesc desc_;
};

// Fails to compile where a row names another form's handler.
template <typename Form>
[[nodiscard]] consteval FormDescFor<Form> DescribeForm(const FormDesc& desc) {
  if (!HandlersAreOf<Form>(desc)) throw "a row names another form's click handler";
  return FormDescFor<Form>(desc);
}

// A window's description and the object that handles its events: one
// form's, or it does not compile.
class FormBinding {
 public:
  template <typename Form>
  FormBinding(const FormDescFor<Form>& form, Form& handlers)
      : desc(form.Desc()), events(handlers) {}

  const FormDesc& desc;
  FormEvents& events;
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
