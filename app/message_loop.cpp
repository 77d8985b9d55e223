#include "app/message_loop.h"

namespace lumora {

namespace {

bool IsPushButton(HWND control) {
  wchar_t name[16] = {};
  if (::GetClassNameW(control, name, 16) == 0 || ::lstrcmpiW(name, L"Button") != 0) return false;
  const LONG type = ::GetWindowLongW(control, GWL_STYLE) & BS_TYPEMASK;
  return type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON;
}

// True when the message was handled here and must not be dispatched.
bool PreTranslate(MSG& msg, HWND mainWindow, HACCEL shortcuts) {
  HWND top = msg.hwnd != nullptr ? ::GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
  if (top == nullptr) return false;
  if (shortcuts != nullptr && top == mainWindow && ::IsWindowEnabled(mainWindow) &&
      ::TranslateAcceleratorW(mainWindow, shortcuts, &msg) != 0) {
    return true;
  }
  if (msg.message == WM_KEYDOWN || msg.message == WM_KEYUP || msg.message == WM_CHAR) {
    if (msg.wParam == VK_ESCAPE) return true;  // no cancel button anywhere
    if (msg.wParam == VK_RETURN) {
      // No default button either: Enter presses the focused button or nothing.
      HWND focus = ::GetFocus();
      if (msg.message == WM_KEYDOWN && focus != nullptr && ::IsChild(top, focus) &&
          IsPushButton(focus)) {
        ::SendMessageW(focus, BM_CLICK, 0, 0);
      }
      return true;
    }
  }
  return ::IsDialogMessageW(top, &msg) != 0;
}

}  // namespace

int RunMessageLoop(HWND mainWindow, HACCEL shortcuts, const std::function<bool()>& finished) {
  MSG msg{};
  while (!finished()) {
    const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {
      ::PostQuitMessage(static_cast<int>(msg.wParam));
      return static_cast<int>(msg.wParam);
    }
    if (got == -1) return 1;
    if (PreTranslate(msg, mainWindow, shortcuts)) continue;
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  return 0;
}

}  // namespace lumora
