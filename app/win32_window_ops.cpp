#include "app/win32_window_ops.h"

#include <commctrl.h>

#include <string>

#include "app/runtime_error.h"
#include "app/win32_about_window.h"
#include "app/win32_error_handler.h"
#include "app/win32_main_window.h"
#include "app/win32_text.h"

namespace lumora {

namespace {

[[noreturn]] void Fail(std::string_view what, Element element) {
  std::string text{what};
  text += " failed on ";
  text += ElementName(element);
  throw RuntimeError(kErrWindowOperation, text);
}

bool IsAboutElement(Element element) {
  return element == Element::frmAbout || FindElement(kAboutForm, element) != nullptr;
}

void ChangeStyle(HWND hwnd, int which, LONG clear, LONG set, Element element) {
  const LONG before = ::GetWindowLongW(hwnd, which);
  const LONG after = (before & ~clear) | set;
  if (after == before) return;
  ::SetLastError(0);
  if (::SetWindowLongW(hwnd, which, after) == 0 && ::GetLastError() != 0) {
    Fail("Changing the style", element);
  }
  ::InvalidateRect(hwnd, nullptr, TRUE);
}

}  // namespace

FormWindow* Win32WindowOps::FormOf(Element element) const {
  return IsAboutElement(element) ? static_cast<FormWindow*>(about_)
                                 : static_cast<FormWindow*>(main_);
}

HWND Win32WindowOps::WindowOf(Element element) const {
  const FormWindow* form = FormOf(element);
  HWND hwnd = form != nullptr ? form->Handle(element) : nullptr;
  if (hwnd == nullptr) Fail("Finding the window", element);
  return hwnd;
}

void Win32WindowOps::SetCaption(Element element, std::u16string_view caption) {
  HMENU menu = nullptr;
  UINT position = 0;
  if (main_ != nullptr && main_->FindMenuItem(element, menu, position)) {
    std::wstring text = MainWindow::MenuText(element, caption);
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STRING;
    info.dwTypeData = text.data();
    if (!::SetMenuItemInfoW(menu, position, TRUE, &info)) Fail("Setting the caption", element);
    // Laying out a hidden menu bar is wasted work at start-up.
    if (::IsWindowVisible(main_->Hwnd())) ::DrawMenuBar(main_->Hwnd());
    return;
  }
  const std::wstring text = ToWide(caption);
  if (!::SetWindowTextW(WindowOf(element), text.c_str())) Fail("Setting the caption", element);
}

void Win32WindowOps::SetText(Element element, std::u16string_view text) {
  const std::wstring wide = ToWide(text);
  if (!::SetWindowTextW(WindowOf(element), wide.c_str())) Fail("Setting the text", element);
}

bool Win32WindowOps::GetOptionValue(Element element) {
  return ::SendMessageW(WindowOf(element), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Win32WindowOps::SetOptionValue(Element element, bool value) {
  HWND option = WindowOf(element);
  ::SendMessageW(option, BM_SETCHECK, value ? BST_CHECKED : BST_UNCHECKED, 0);
  if (!value) return;
  // The other options of the same container form one group with it.
  const ElementDesc* desc = FindElement(kMainForm, element);
  if (desc == nullptr) return;
  for (const ElementDesc& other : kMainElements) {
    if (other.kind == ElementKind::OptionButton && other.container == desc->container &&
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

void Win32WindowOps::SetRightToLeft(Element element, bool rightToLeft) {
  HWND hwnd = WindowOf(element);
  FormWindow* form = FormOf(element);
  const ElementDesc* desc = form->Describe(element);
  // A window mirrors its title, menu bar and layout with its elements in
  // place; a frame, check box or option puts caption and box on the right.
  if (desc == nullptr || desc->kind == ElementKind::Frame || desc->kind == ElementKind::CheckBox ||
      desc->kind == ElementKind::OptionButton) {
    form->SetMirrored(hwnd, rightToLeft);
    return;
  }
  if (desc->kind != ElementKind::Label) Fail("Setting right-to-left", element);
  ChangeStyle(hwnd, GWL_EXSTYLE, WS_EX_RTLREADING, rightToLeft ? WS_EX_RTLREADING : 0, element);
}

void Win32WindowOps::SetLabelAlignment(Element element, int alignment) {
  ChangeStyle(WindowOf(element), GWL_STYLE, SS_TYPEMASK, alignment == 1 ? SS_RIGHT : SS_LEFT,
              element);
}

bool Win32WindowOps::GetMenuChecked(Element element) {
  HMENU menu = nullptr;
  UINT position = 0;
  if (main_ == nullptr || !main_->FindMenuItem(element, menu, position)) {
    Fail("Reading the check mark", element);
  }
  const UINT state = ::GetMenuState(menu, position, MF_BYPOSITION);
  if (state == static_cast<UINT>(-1)) Fail("Reading the check mark", element);
  return (state & MF_CHECKED) != 0;
}

void Win32WindowOps::SetMenuChecked(Element element, bool checked) {
  HMENU menu = nullptr;
  UINT position = 0;
  if (main_ == nullptr || !main_->FindMenuItem(element, menu, position) ||
      ::CheckMenuItem(menu, position, MF_BYPOSITION | (checked ? MF_CHECKED : MF_UNCHECKED)) ==
          static_cast<DWORD>(-1)) {
    Fail("Setting the check mark", element);
  }
}

void Win32WindowOps::ShowModal(Element window) {
  if (window != Element::frmAbout || about_ == nullptr) Fail("Showing", window);
  about_->ShowModal(main_ != nullptr ? main_->Hwnd() : nullptr);
}

void Win32WindowOps::Unload(Element window) {
  if (window == Element::frmAbout && about_ != nullptr) {
    about_->Unload();
    return;
  }
  // The main window unloads through its own close, which runs the unload event.
  if (window == Element::frmMain && main_ != nullptr && main_->Hwnd() != nullptr) {
    ::PostMessageW(main_->Hwnd(), WM_CLOSE, 0, 0);
    return;
  }
  Fail("Unloading", window);
}

void Win32WindowOps::MsgBox(std::u16string_view text, int flags,
                            std::optional<std::u16string_view> title) {
  const std::wstring body = ToWide(text);
  const std::wstring caption = title ? ToWide(*title) : std::wstring(kProductTitle);
  const UINT style = MB_OK | (static_cast<UINT>(flags) & (MB_ICONMASK | MB_DEFMASK));
  if (::MessageBoxW(::GetActiveWindow(), body.c_str(), caption.c_str(), style) == 0) {
    throw RuntimeError(kErrWindowOperation, "The message box could not be shown");
  }
}

void Win32WindowOps::EndProgram() { ::ExitProcess(0); }

void Win32WindowOps::InitCommonControls() {
  INITCOMMONCONTROLSEX controls{};
  controls.dwSize = sizeof controls;
  controls.dwICC = ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES;
  if (!::InitCommonControlsEx(&controls)) {
    throw RuntimeError(kErrWindowOperation, "The common controls could not be initialised");
  }
}

}  // namespace lumora
