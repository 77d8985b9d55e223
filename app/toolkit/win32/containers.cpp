#include "app/toolkit/win32/containers.h"

#include "app/toolkit/win32/element_kinds.h"
#include "app/toolkit/win32/platform_error.h"
#include "app/toolkit/win32/window_class.h"

namespace lumora {

namespace {

// A notification a control sends its parent that the window handles.
bool IsNotification(UINT message) { return message == WM_COMMAND || message == WM_NOTIFY; }

LRESULT PassUp(HWND hwnd, UINT message, WPARAM w_param, LPARAM l_param) {
  return ::SendMessageW(::GetParent(hwnd), message, w_param, l_param);
}

// A plain window-procedure subclass: the common controls' subclass chain
// slows the first paint of the window by several per cent. A frame's own
// procedure is its class's, subclassed at once.
LRESULT CALLBACK FrameProc(HWND hwnd, UINT message, WPARAM w_param, LPARAM l_param) {
  if (IsNotification(message)) return PassUp(hwnd, message, w_param, l_param);
  return ::CallWindowProcW(reinterpret_cast<WNDPROC>(::GetClassLongPtrW(hwnd, GCLP_WNDPROC)), hwnd,
                           message, w_param, l_param);
}

// The font lives in the panel's window bytes.
LRESULT CALLBACK PanelProc(HWND hwnd, UINT message, WPARAM w_param, LPARAM l_param) {
  if (IsNotification(message)) return PassUp(hwnd, message, w_param, l_param);
  if (message == WM_SETFONT) {
    ::SetWindowLongPtrW(hwnd, 0, static_cast<LONG_PTR>(w_param));
    return 0;
  }
  if (message == WM_GETFONT) return ::GetWindowLongPtrW(hwnd, 0);
  return ::DefWindowProcW(hwnd, message, w_param, l_param);
}

}  // namespace

void ForwardNotificationsToWindow(HWND container) {
  // A panel's own procedure forwards already.
  if (::GetWindowLongPtrW(container, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&PanelProc)) {
    return;
  }
  CheckLastError(
      ::SetWindowLongPtrW(container, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&FrameProc)),
      u"SetWindowLongPtr");
}

void RegisterPanelClass() { RegisterWindowClass(kPanelClass, &PanelProc, sizeof(LONG_PTR)); }

}  // namespace lumora
