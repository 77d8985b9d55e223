#include "app/toolkit/win32/win32_window_ops.h"

#include <commctrl.h>

#include <string>

#include "app/toolkit/win32/element_kinds.h"
#include "app/toolkit/win32/error_handler.h"
#include "app/toolkit/win32/form_window.h"
#include "app/toolkit/win32/message_loop.h"
#include "app/toolkit/win32/operation_name.h"
#include "app/toolkit/win32/platform_error.h"
#include "app/toolkit/win32/text.h"
#include "app/toolkit/win32/window_class.h"

namespace lumora {

FormWindow& Win32WindowOps::FormOf(Element element) const {
  for (FormWindow* form : forms_) {
    if (form->Owns(element)) return *form;
  }
  ThrowNotLoaded(u"Finding the window", element);
}

HWND Win32WindowOps::WindowOf(Element element) const {
  HWND hwnd = FormOf(element).Handle(element);
  if (hwnd == nullptr) ThrowNotLoaded(u"Finding the window", element);
  return hwnd;
}

const KindTraits& Win32WindowOps::KindOf(Element element, std::u16string_view operation) const {
  const ElementDesc* desc = FormOf(element).Describe(element);
  if (desc == nullptr)
    ThrowPlatformError(OperationName(operation, element), ERROR_INVALID_PARAMETER);
  return TraitsOf(desc->kind);
}

HWND Win32WindowOps::MainHwnd() const { return forms_.empty() ? nullptr : forms_.front()->Hwnd(); }

void Win32WindowOps::SetCaption(Element element, std::u16string_view caption) {
  FormWindow& form = FormOf(element);
  if (form.Menu().Describe(element) != nullptr) {
    form.Menu().SetCaption(form.Hwnd(), element, caption);
    return;
  }
  HWND hwnd = WindowOf(element);
  if (!ShowsText(caption, [hwnd](wchar_t* buffer, int size) {
        return ::GetWindowTextW(hwnd, buffer, size);
      })) {
    CheckLastError(::SetWindowTextW(hwnd, WideView(std::u16string(caption))),
                   u"Setting the caption", element);
  }
}

void Win32WindowOps::SetText(Element element, std::u16string_view text) {
  CheckLastError(::SetWindowTextW(WindowOf(element), WideView(std::u16string(text))),
                 u"Setting the text", element);
}

bool Win32WindowOps::GetOptionValue(Element element) {
  return ::SendMessageW(WindowOf(element), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Win32WindowOps::SetOptionValue(Element element, bool value) {
  HWND option = WindowOf(element);
  if (!KindOf(element, u"Setting the option value").forms_group) {
    ThrowPlatformError(OperationName(u"Setting the option value", element),
                       ERROR_INVALID_PARAMETER);
  }
  ::SendMessageW(option, BM_SETCHECK, value ? BST_CHECKED : BST_UNCHECKED, 0);
  if (!value) return;
  // The other options of the same container form one group with it.
  const FormWindow& form = FormOf(element);
  const Element container = form.Describe(element)->container;
  for (const ElementDesc& other : form.Description().elements) {
    if (TraitsOf(other.kind).forms_group && other.container == container &&
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
  // A window mirrors its title, menu bar and layout with its elements in place.
  const RightToLeftBy by = element == form.Description().window
                               ? RightToLeftBy::kMirroring
                               : KindOf(element, u"Setting right-to-left").right_to_left;
  switch (by) {
    case RightToLeftBy::kMirroring:
      form.SetMirrored(hwnd, right_to_left);
      return;
    case RightToLeftBy::kReadingOrder:
      ChangeStyle(hwnd, GWL_EXSTYLE, WS_EX_RTLREADING, right_to_left ? WS_EX_RTLREADING : 0);
      return;
    case RightToLeftBy::kNotSupported:
      break;
  }
  ThrowPlatformError(OperationName(u"Setting right-to-left", element), ERROR_INVALID_PARAMETER);
}

void Win32WindowOps::SetLabelAlignment(Element element, int alignment) {
  HWND hwnd = WindowOf(element);
  if (!KindOf(element, u"Setting the alignment").aligns_text) {
    ThrowPlatformError(OperationName(u"Setting the alignment", element), ERROR_INVALID_PARAMETER);
  }
  ChangeStyle(hwnd, GWL_STYLE, SS_TYPEMASK, alignment == 1 ? SS_RIGHT : SS_LEFT);
}

bool Win32WindowOps::GetMenuChecked(Element element) {
  return FormOf(element).Menu().IsChecked(element);
}

void Win32WindowOps::SetMenuChecked(Element element, bool checked) {
  FormOf(element).Menu().SetChecked(element, checked);
}

void Win32WindowOps::ShowModal(Element window) {
  FormWindow& form = FormOf(window);
  if (&form == forms_.front() || window != form.Description().window) {
    ThrowPlatformError(OperationName(u"Showing modally", window), ERROR_INVALID_PARAMETER);
  }
  form.ShowOver(MainHwnd());
  RunMessageLoop(form);
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
  if (::MessageBoxW(owner, WideView(body), WideView(caption), style) == 0) {
    // Closing the owner takes its boxes with it: the box was answered.
    if (owner != nullptr && !::IsWindow(owner)) return;
    ThrowLastError(u"Showing the message box");
  }
}

void Win32WindowOps::EndProgram() { ::ExitProcess(0); }

// The buttons, text box and labels come with comctl32 6 itself; this ties
// the program to it. It cannot fail.
void Win32WindowOps::InitCommonControls() { ::InitCommonControls(); }

}  // namespace lumora
