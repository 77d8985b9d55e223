#include "app/toolkit/win32/dpi.h"

namespace lumora {

namespace {

// Present from Windows 10 on, resolved at run time; older systems have one
// DPI for everything.
struct DpiFunctions {
  using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
  using GetDpiForSystemFn = UINT(WINAPI*)();
  using GetSystemMetricsForDpiFn = int(WINAPI*)(int, UINT);
  using AdjustWindowRectExForDpiFn = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
  GetDpiForWindowFn dpi_for_window = nullptr;
  GetDpiForSystemFn dpi_for_system = nullptr;
  GetSystemMetricsForDpiFn metrics_for_dpi = nullptr;
  AdjustWindowRectExForDpiFn frame_for_dpi = nullptr;
};

// Through the one function type every other converts to without a warning.
template <typename Function>
Function Resolve(HMODULE module, const char* name) {
  using AnyFunction = void (*)();
  return reinterpret_cast<Function>(reinterpret_cast<AnyFunction>(::GetProcAddress(module, name)));
}

const DpiFunctions& Functions() {
  static const DpiFunctions kFunctions = [] {
    HMODULE user32 = ::GetModuleHandleW(L"user32.dll");
    return DpiFunctions{
        Resolve<DpiFunctions::GetDpiForWindowFn>(user32, "GetDpiForWindow"),
        Resolve<DpiFunctions::GetDpiForSystemFn>(user32, "GetDpiForSystem"),
        Resolve<DpiFunctions::GetSystemMetricsForDpiFn>(user32, "GetSystemMetricsForDpi"),
        Resolve<DpiFunctions::AdjustWindowRectExForDpiFn>(user32, "AdjustWindowRectExForDpi")};
  }();
  return kFunctions;
}

}  // namespace

int DpiOf(HWND hwnd) {
  const DpiFunctions& dpi = Functions();
  if (hwnd != nullptr && dpi.dpi_for_window != nullptr) {
    if (const UINT value = dpi.dpi_for_window(hwnd); value != 0) return static_cast<int>(value);
  }
  if (hwnd == nullptr && dpi.dpi_for_system != nullptr) {
    if (const UINT value = dpi.dpi_for_system(); value != 0) return static_cast<int>(value);
  }
  HDC screen = ::GetDC(nullptr);
  const int value = screen != nullptr ? ::GetDeviceCaps(screen, LOGPIXELSY) : 96;
  if (screen != nullptr) ::ReleaseDC(nullptr, screen);
  return value > 0 ? value : 96;
}

int SystemMetricAt(int metric, int dpi) {
  const auto metrics_for_dpi = Functions().metrics_for_dpi;
  return metrics_for_dpi != nullptr ? metrics_for_dpi(metric, static_cast<UINT>(dpi))
                                    : ::GetSystemMetrics(metric);
}

RECT FrameAround(SIZE client, DWORD style, DWORD ex_style, bool menu, int dpi) {
  RECT frame{0, 0, client.cx, client.cy};
  if (const auto frame_for_dpi = Functions().frame_for_dpi; frame_for_dpi != nullptr) {
    frame_for_dpi(&frame, style, menu ? TRUE : FALSE, ex_style, static_cast<UINT>(dpi));
  } else {
    ::AdjustWindowRectEx(&frame, style, menu ? TRUE : FALSE, ex_style);
  }
  return frame;
}

}  // namespace lumora
