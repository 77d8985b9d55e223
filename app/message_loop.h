#pragma once

#include <windows.h>

#include <functional>

namespace lumora {

// Pumps the thread's messages, with the dialog keys of the program's windows
// (Tab, arrows, Alt access keys, Enter on the focused button, Escape doing
// nothing) and the main window's shortcut keys while it takes input. Runs
// until `finished` holds or WM_QUIT arrives; WM_QUIT is posted again for an
// outer loop, and its exit code is returned.
int RunMessageLoop(HWND mainWindow, HACCEL shortcuts, const std::function<bool()>& finished);

}  // namespace lumora
