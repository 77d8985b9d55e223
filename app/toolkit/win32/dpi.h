#pragma once

#include <windows.h>
// After windows.h, which it needs.
#include <shellscalingapi.h>

namespace lumora {

// The DPI a window is drawn at, its monitor's; the system's before the
// window exists. The manifest makes the program aware of each monitor's DPI,
// so these are the screen's real dots per inch.
[[nodiscard]] int DpiOf(HWND hwnd);

// A system metric (an icon's size, say) as it is at a DPI.
[[nodiscard]] int SystemMetricAt(int metric, int dpi);

// The rectangle of a window of these styles round a client area whose
// corner is at 0,0, its frame drawn at a DPI; a menu bar counts as one line.
[[nodiscard]] RECT FrameAround(SIZE client, DWORD style, DWORD ex_style, bool menu, int dpi);

// Asked as a window is created: a thread aware of each monitor's DPI by the
// first version of that awareness scales the frame only if the window asks.
void AskForFrameScaling(HWND hwnd);

// The per-monitor DPI functions, resolved at run time: Windows 10 has them;
// Windows 8.1 has only each monitor's DPI (shcore.dll), looked up where the
// window's is missing; older systems have one DPI for everything. Null where
// the system has none; a test takes them away to run the older systems' way.
struct DpiFunctions {
  UINT(WINAPI* dpi_for_window)(HWND) = nullptr;
  HRESULT(WINAPI* dpi_for_monitor)(HMONITOR, MONITOR_DPI_TYPE, UINT*, UINT*) = nullptr;
  UINT(WINAPI* dpi_for_system)() = nullptr;
  int(WINAPI* metrics_for_dpi)(int, UINT) = nullptr;
  BOOL(WINAPI* frame_for_dpi)(RECT*, DWORD, BOOL, DWORD, UINT) = nullptr;
  DPI_AWARENESS_CONTEXT(WINAPI* thread_awareness)() = nullptr;
  BOOL(WINAPI* same_awareness)(DPI_AWARENESS_CONTEXT, DPI_AWARENESS_CONTEXT) = nullptr;
  BOOL(WINAPI* scale_frame)(HWND) = nullptr;
};
[[nodiscard]] DpiFunctions& SystemDpiFunctions();

}  // namespace lumora
