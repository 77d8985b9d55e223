#include "app/toolkit/win32/message_loop.h"

#include <windows.h>

#include "app/toolkit/win32/form_window.h"

namespace lumora {

namespace {

bool IsPushButton(HWND control) {
  wchar_t name[16] = {};
  if (::GetClassNameW(control, name, 16) == 0 || ::lstrcmpiW(name, L"Button") != 0) return false;
  const LONG type = ::GetWindowLongW(control, GWL_STYLE) & BS_TYPEMASK;
  return type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON;
}

// True when the message was handled here and must not be dispatched.
bool PreTranslate(MSG& msg) {
  HWND top = msg.hwnd != nullptr ? ::GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
  const FormWindow* form = FormWindow::FromHwnd(top);
  if (form == nullptr) return false;
  if (form->Menu().Shortcuts() != nullptr && ::IsWindowEnabled(top) &&
      ::TranslateAcceleratorW(top, form->Menu().Shortcuts(), &msg) != 0) {
    return true;
  }
  // Enter presses the focused button, the only default one, or nothing. (Escape
  // needs no such care: the dialog keys make it a command no element has.)
  if ((msg.message == WM_KEYDOWN || msg.message == WM_KEYUP || msg.message == WM_CHAR) &&
      msg.wParam == VK_RETURN) {
    HWND focus = ::GetFocus();
    if (msg.message == WM_KEYDOWN && focus != nullptr && ::IsChild(top, focus) &&
        IsPushButton(focus)) {
      ::SendMessageW(focus, BM_CLICK, 0, 0);
    }
    return true;
  }
  return ::IsDialogMessageW(top, &msg) != 0;
}

void Dispatch(MSG& msg) {
  if (PreTranslate(msg)) return;
  ::TranslateMessage(&msg);
  ::DispatchMessageW(&msg);
}

}  // namespace

int RunMessageLoop(const FormWindow& form) {
  MSG msg{};
  while (form.Hwnd() != nullptr) {
    const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {
      ::PostQuitMessage(static_cast<int>(msg.wParam));
      return static_cast<int>(msg.wParam);
    }
    if (got == -1) return 1;
    Dispatch(msg);
  }
  return 0;
}

void ProcessPendingMessages() {
  MSG msg{};
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      ::PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    Dispatch(msg);
  }
}

}  // namespace lumora
