#pragma once

#include <windows.h>

namespace lumora {

// Registers one of the toolkit's window classes once: the button face behind
// it, the arrow cursor, room for a pointer in each window's bytes where
// asked, and the icon resource given, if any, at the system's DPI (the
// small one the system makes from it).
void RegisterWindowClass(const wchar_t* name, WNDPROC procedure, int window_bytes, int icon_id = 0);

// Clears and sets style bits (GWL_STYLE or GWL_EXSTYLE) and has the window
// painted again; false when they were so already.
bool ChangeStyle(HWND hwnd, int which, LONG clear, LONG set);

}  // namespace lumora
