#pragma once

// The benchmark's clock, and its waits for a measured program's window.
#include <windows.h>

namespace lumora::bench {

// A performance counter's value in milliseconds, and the counter's now.
[[nodiscard]] double Milliseconds(LONGLONG counter);
[[nodiscard]] double Now();

// The process's visible top-level window of the class; nullptr at the time-out.
[[nodiscard]] HWND WaitForWindow(DWORD pid, const wchar_t* class_name, double timeout_ms = 10000);

// Visible and idle is not yet drawn: a program that paints before its message
// loop can be both while the paint is under way. True once the window's queue
// has answered and neither it nor a child has a part to paint.
[[nodiscard]] bool WaitUntilPainted(HWND window, double timeout_ms = 10000);

}  // namespace lumora::bench
