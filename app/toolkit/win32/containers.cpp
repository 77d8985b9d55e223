#include "app/toolkit/win32/containers.h"

#include <commctrl.h>

#include "app/toolkit/win32/element_kinds.h"
#include "app/toolkit/win32/platform_error.h"

namespace lumora {

namespace {

constexpr UINT_PTR kForwarderId = 1;

LRESULT CALLBACK Forwarder(HWND hwnd, UINT message, WPARAM w_param, LPARAM l_param, UINT_PTR /*id*/,
                           DWORD_PTR /*data*/) {
  switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
      return ::SendMessageW(::GetParent(hwnd), message, w_param, l_param);
    default:
      return ::DefSubclassProc(hwnd, message, w_param, l_param);
  }
}

// The font lives in the panel's window bytes.
LRESULT CALLBACK PanelProc(HWND hwnd, UINT message, WPARAM w_param, LPARAM l_param) {
  if (message == WM_SETFONT) {
    ::SetWindowLongPtrW(hwnd, 0, static_cast<LONG_PTR>(w_param));
    return 0;
  }
  if (message == WM_GETFONT) return ::GetWindowLongPtrW(hwnd, 0);
  return ::DefWindowProcW(hwnd, message, w_param, l_param);
}

}  // namespace

void ForwardNotificationsToWindow(HWND container) {
  CheckLastError(::SetWindowSubclass(container, &Forwarder, kForwarderId, 0), u"SetWindowSubclass");
}

void RegisterPanelClass() {
  HINSTANCE instance = ::GetModuleHandleW(nullptr);
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  if (::GetClassInfoExW(instance, kPanelClass, &wc)) return;
  wc.lpfnWndProc = &PanelProc;
  wc.cbWndExtra = sizeof(LONG_PTR);
  wc.hInstance = instance;
  wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kPanelClass;
  CheckLastError(::RegisterClassExW(&wc), u"RegisterClassEx");
}

}  // namespace lumora
