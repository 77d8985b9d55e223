#include "app/toolkit/win32/window_class.h"

#include "app/toolkit/win32/platform_error.h"

namespace lumora {

void RegisterWindowClass(const wchar_t* name, WNDPROC procedure, int window_bytes, int icon_id) {
  HINSTANCE instance = ::GetModuleHandleW(nullptr);
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  // Shared: the system keeps it as long as the class needs it, a class
  // registered already gets the same again, and makes the small one from it.
  if (icon_id != 0) {
    wc.hIcon = static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(icon_id), IMAGE_ICON, 0,
                                               0, LR_DEFAULTSIZE | LR_SHARED));
  }
  wc.lpfnWndProc = procedure;
  wc.cbWndExtra = window_bytes;
  wc.hInstance = instance;
  wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = name;
  if (::RegisterClassExW(&wc) == 0 && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
    ThrowLastError(u"RegisterClassEx");
  }
}

bool ChangeStyle(HWND hwnd, int which, LONG clear, LONG set) {
  const LONG before = ::GetWindowLongW(hwnd, which);
  const LONG after = (before & ~clear) | set;
  if (after == before) return false;
  // Zero is also the previous style of a window that had none.
  ::SetLastError(0);
  if (::SetWindowLongW(hwnd, which, after) == 0 && ::GetLastError() != 0) {
    ThrowLastError(u"Changing the style");
  }
  ::InvalidateRect(hwnd, nullptr, TRUE);
  return true;
}

}  // namespace lumora
