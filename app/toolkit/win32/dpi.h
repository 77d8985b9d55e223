#pragma once

#include <windows.h>

namespace lumora {

// The DPI a window is drawn at; the system's before the window exists. The
// manifest makes the program aware of each monitor's DPI, so these are the
// screen's real dots per inch.
[[nodiscard]] int DpiOf(HWND hwnd);

// A system metric (an icon's size, say) as it is at a DPI.
[[nodiscard]] int SystemMetricAt(int metric, int dpi);

// The rectangle of a window of these styles round a client area whose
// corner is at 0,0, its frame drawn at a DPI; a menu bar counts as one line.
[[nodiscard]] RECT FrameAround(SIZE client, DWORD style, DWORD ex_style, bool menu, int dpi);

}  // namespace lumora
