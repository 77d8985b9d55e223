#include "app/toolkit/win32/window_ops.h"

#include <commctrl.h>

#include <string>

#include "app/toolkit/win32/error_handler.h"
#include "app/toolkit/win32/form_window.h"
#include "app/toolkit/win32/platform_error.h"
#include "app/toolkit/win32/text.h"

namespace lumora {

namespace {

std::u16string On(std::u16string_view operation, Element element) {
  return std::u16string(operation) + u" of " + Widen(ElementName(element));
}

// An element that is not loaded has no window to work on.
[[noreturn]] void NotLoaded(std::u16string_view operation, Element element) {
  ThrowPlatformError(On(operation, element), ERROR_INVALID_WINDOW_HANDLE);
}

// Whether a window or menu item shows this text already: setting it again
// would cost a round trip to the window system and change nothing.
bool Shows(HWND hwnd, std::u16string_view text) {
  std::u16string shown(text.size() + 1, u'\0');
  const int length = ::GetWindowTextW(hwnd, Wide(shown.data()), static_cast<int>(shown.size()));
  return static_cast<std::size_t>(length) == text.size() &&
         shown.compare(0, text.size(), text) == 0;
}
bool Shows(HMENU menu, UINT position, std::u16string_view text) {
  std::u16string shown(text.size() + 1, u'\0');
  const int length = ::GetMenuStringW(menu, position, Wide(shown.data()),
                                      static_cast<int>(shown.size()), MF_BYPOSITION);
  return static_cast<std::size_t>(length) == text.size() &&
         shown.compare(0, text.size(), text) == 0;
}

void ChangeStyle(HWND hwnd, int which, LONG clear, LONG set, Element element) {
  const LONG before = ::GetWindowLongW(hwnd, which);
  const LONG after = (before & ~clear) | set;
  if (after == before) return;
  ::SetLastError(0);
  if (::SetWindowLongW(hwnd, which, after) == 0 && ::GetLastError() != 0) {
    ThrowLastError(On(u"Changing the style", element));
  }
  ::InvalidateRect(hwnd, nullptr, TRUE);
}

}  // namespace

FormWindow& Win32WindowOps::FormOf(Element element) const {
  for (FormWindow* form : forms_) {
    if (form->Owns(element)) return *form;
  }
  NotLoaded(u"Finding the window", element);
}

HWND Win32WindowOps::WindowOf(Element element) const {
  HWND hwnd = FormOf(element).Handle(element);
  if (hwnd == nullptr) NotLoaded(u"Finding the window", element);
  return hwnd;
}

HWND Win32WindowOps::MainHwnd() const { return forms_.empty() ? nullptr : forms_.front()->Hwnd(); }

void Win32WindowOps::SetCaption(Element element, std::u16string_view caption) {
  FormWindow& form = FormOf(element);
  if (FindMenu(form.Description(), element) != nullptr) {
    HMENU menu = nullptr;
    UINT position = 0;
    if (!form.FindMenuItem(element, menu, position)) NotLoaded(u"Setting the caption", element);
    std::u16string text = form.MenuText(element, caption);
    if (Shows(menu, position, text)) return;
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STRING;
    info.dwTypeData = Wide(text.data());
    if (!::SetMenuItemInfoW(menu, position, TRUE, &info)) {
      ThrowLastError(On(u"Setting the caption", element));
    }
    // Laying out a hidden menu bar is wasted work at start-up.
    if (::IsWindowVisible(form.Hwnd())) ::DrawMenuBar(form.Hwnd());
    return;
  }
  HWND hwnd = WindowOf(element);
  if (!Shows(hwnd, caption) && !::SetWindowTextW(hwnd, Wide(std::u16string(caption)))) {
    ThrowLastError(On(u"Setting the caption", element));
  }
}

void Win32WindowOps::SetText(Element element, std::u16string_view text) {
  if (!::SetWindowTextW(WindowOf(element), Wide(std::u16string(text)))) {
    ThrowLastError(On(u"Setting the text", element));
  }
}

bool Win32WindowOps::GetOptionValue(Element element) {
  return ::SendMessageW(WindowOf(element), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Win32WindowOps::SetOptionValue(Element element, bool value) {
  HWND option = WindowOf(element);
  ::SendMessageW(option, BM_SETCHECK, value ? BST_CHECKED : BST_UNCHECKED, 0);
  if (!value) return;
  // The other options of the same container form one group with it.
  const FormWindow& form = FormOf(element);
  const ElementDesc* desc = FindElement(form.Description(), element);
  for (const ElementDesc& other : form.Description().elements) {
    if (other.kind == ElementKind::kOptionButton && other.container == desc->container &&
        other.element != element) {
      ::SendMessageW(WindowOf(other.element), BM_SETCHECK, BST_UNCHECKED, 0);
    }
  }
}

int Win32WindowOps::GetCheckValue(Element element) {
  switch (::SendMessageW(WindowOf(element), BM_GETCHECK, 0, 0)) {
    case BST_CHECKED:
      return kChecked;
    case BST_INDETERMINATE:
      return kGrayed;
    default:
      return kUnchecked;
  }
}

void Win32WindowOps::SetCheckValue(Element element, int value) {
  const WPARAM state = value == kChecked  ? BST_CHECKED
                       : value == kGrayed ? BST_INDETERMINATE
                                          : BST_UNCHECKED;
  ::SendMessageW(WindowOf(element), BM_SETCHECK, state, 0);
}

void Win32WindowOps::SetRightToLeft(Element element, bool right_to_left) {
  HWND hwnd = WindowOf(element);
  FormWindow& form = FormOf(element);
  const ElementDesc* desc = FindElement(form.Description(), element);
  // A window mirrors its title, menu bar and layout with its elements in
  // place; a frame, check box or option puts caption and box on the right.
  if (desc == nullptr || desc->kind == ElementKind::kFrame ||
      desc->kind == ElementKind::kCheckBox || desc->kind == ElementKind::kOptionButton) {
    form.SetMirrored(hwnd, right_to_left);
    return;
  }
  if (desc->kind != ElementKind::kLabel) {
    ThrowPlatformError(On(u"Setting right-to-left", element), ERROR_INVALID_PARAMETER);
  }
  ChangeStyle(hwnd, GWL_EXSTYLE, WS_EX_RTLREADING, right_to_left ? WS_EX_RTLREADING : 0, element);
}

void Win32WindowOps::SetLabelAlignment(Element element, int alignment) {
  ChangeStyle(WindowOf(element), GWL_STYLE, SS_TYPEMASK, alignment == 1 ? SS_RIGHT : SS_LEFT,
              element);
}

bool Win32WindowOps::GetMenuChecked(Element element) {
  HMENU menu = nullptr;
  UINT position = 0;
  if (!FormOf(element).FindMenuItem(element, menu, position)) {
    NotLoaded(u"Reading the check mark", element);
  }
  const UINT state = ::GetMenuState(menu, position, MF_BYPOSITION);
  if (state == static_cast<UINT>(-1)) ThrowLastError(On(u"Reading the check mark", element));
  return (state & MF_CHECKED) != 0;
}

void Win32WindowOps::SetMenuChecked(Element element, bool checked) {
  HMENU menu = nullptr;
  UINT position = 0;
  if (!FormOf(element).FindMenuItem(element, menu, position)) {
    NotLoaded(u"Setting the check mark", element);
  }
  if (::CheckMenuItem(menu, position, MF_BYPOSITION | (checked ? MF_CHECKED : MF_UNCHECKED)) ==
      static_cast<DWORD>(-1)) {
    ThrowLastError(On(u"Setting the check mark", element));
  }
}

void Win32WindowOps::ShowModal(Element window) {
  FormWindow& form = FormOf(window);
  if (&form == forms_.front()) {
    ThrowPlatformError(On(u"Showing modally", window), ERROR_INVALID_PARAMETER);
  }
  form.ShowModal(MainHwnd());
}

void Win32WindowOps::Unload(Element window) { FormOf(window).Unload(); }

void Win32WindowOps::MsgBox(std::u16string_view text, int flags,
                            std::optional<std::u16string_view> title) {
  const std::u16string body(text);
  const std::u16string caption = title ? std::u16string(*title) : ApplicationTitle();
  const UINT style = MB_OK | (static_cast<UINT>(flags) & (MB_ICONMASK | MB_DEFMASK));
  // Owned by the main window, whichever window is active: the owner takes
  // no input while the box is open.
  HWND owner = MainHwnd();
  if (::MessageBoxW(owner, Wide(body), Wide(caption), style) == 0) {
    // Closing the owner takes its boxes with it: the box was answered.
    if (owner != nullptr && !::IsWindow(owner)) return;
    ThrowLastError(u"Showing the message box");
  }
}

void Win32WindowOps::EndProgram() { ::ExitProcess(0); }

void Win32WindowOps::InitCommonControls() {
  INITCOMMONCONTROLSEX controls{};
  controls.dwSize = sizeof controls;
  controls.dwICC = ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES;
  if (!::InitCommonControlsEx(&controls)) ThrowLastError(u"InitCommonControlsEx");
}

}  // namespace lumora
