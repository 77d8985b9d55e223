#include "app/toolkit/win32/dpi.h"

#include "app/toolkit/win32/unique_handle.h"

namespace lumora {

namespace {

// Through the one function type every other converts to without a warning.
template <typename Function>
void Resolve(HMODULE module, const char* name, Function& function) {
  using AnyFunction = void (*)();
  function =
      reinterpret_cast<Function>(reinterpret_cast<AnyFunction>(::GetProcAddress(module, name)));
}

}  // namespace

DpiFunctions& SystemDpiFunctions() {
  static DpiFunctions functions = [] {
    HMODULE user32 = ::GetModuleHandleW(L"user32.dll");
    DpiFunctions found;
    Resolve(user32, "GetDpiForWindow", found.dpi_for_window);
    Resolve(user32, "GetDpiForSystem", found.dpi_for_system);
    Resolve(user32, "GetSystemMetricsForDpi", found.metrics_for_dpi);
    Resolve(user32, "AdjustWindowRectExForDpi", found.frame_for_dpi);
    Resolve(user32, "GetThreadDpiAwarenessContext", found.thread_awareness);
    Resolve(user32, "AreDpiAwarenessContextsEqual", found.same_awareness);
    Resolve(user32, "EnableNonClientDpiScaling", found.scale_frame);
    if (found.dpi_for_window == nullptr) {
      // Loaded for the run, from the system's own folder only; Windows 7 has none.
      static const UniqueLibrary kShcore(
          ::LoadLibraryExW(L"shcore.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32));
      if (kShcore) Resolve(kShcore.get(), "GetDpiForMonitor", found.dpi_for_monitor);
    }
    return found;
  }();
  return functions;
}

int DpiOf(HWND hwnd) {
  const DpiFunctions& dpi = SystemDpiFunctions();
  if (hwnd != nullptr && dpi.dpi_for_window != nullptr) {
    if (const UINT value = dpi.dpi_for_window(hwnd); value != 0) return static_cast<int>(value);
  }
  if (hwnd != nullptr && dpi.dpi_for_monitor != nullptr) {
    UINT x = 0;
    UINT y = 0;
    if (SUCCEEDED(dpi.dpi_for_monitor(::MonitorFromWindow(hwnd, MONITOR_DEFAULTTONEAREST),
                                      MDT_EFFECTIVE_DPI, &x, &y)) &&
        y != 0) {
      return static_cast<int>(y);
    }
  }
  if (hwnd == nullptr && dpi.dpi_for_system != nullptr) {
    if (const UINT value = dpi.dpi_for_system(); value != 0) return static_cast<int>(value);
  }
  const UniqueScreenDc screen(::GetDC(nullptr));
  const int value = screen ? ::GetDeviceCaps(screen.get(), LOGPIXELSY) : 96;
  return value > 0 ? value : 96;
}

int SystemMetricAt(int metric, int dpi) {
  const auto metrics_for_dpi = SystemDpiFunctions().metrics_for_dpi;
  if (metrics_for_dpi != nullptr) return metrics_for_dpi(metric, static_cast<UINT>(dpi));
  // The system's metrics are of its DPI; a monitor may have another.
  return ::MulDiv(::GetSystemMetrics(metric), dpi, DpiOf(nullptr));
}

RECT FrameAround(SIZE client, DWORD style, DWORD ex_style, bool menu, int dpi) {
  RECT frame{0, 0, client.cx, client.cy};
  if (const auto frame_for_dpi = SystemDpiFunctions().frame_for_dpi; frame_for_dpi != nullptr) {
    frame_for_dpi(&frame, style, menu ? TRUE : FALSE, ex_style, static_cast<UINT>(dpi));
  } else {
    ::AdjustWindowRectEx(&frame, style, menu ? TRUE : FALSE, ex_style);
  }
  return frame;
}

void AskForFrameScaling(HWND hwnd) {
  const DpiFunctions& dpi = SystemDpiFunctions();
  if (dpi.thread_awareness == nullptr || dpi.same_awareness == nullptr ||
      dpi.scale_frame == nullptr) {
    return;
  }
  if (dpi.same_awareness(dpi.thread_awareness(), DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE)) {
    dpi.scale_frame(hwnd);
  }
}

}  // namespace lumora
