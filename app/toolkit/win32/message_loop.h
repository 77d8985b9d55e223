#pragma once

namespace lumora {

class FormWindow;

// Pumps the thread's messages with the dialog keys of the toolkit's windows
// (Tab, arrows, Alt access keys, Enter on the focused button) and each
// window's shortcut keys while it takes input. Runs until the form's window
// is gone, or WM_QUIT arrives; WM_QUIT is posted again for an outer loop and
// its exit code returned.
int RunMessageLoop(const FormWindow& form);

// Handles what is queued now the same way, and returns.
void ProcessPendingMessages();

}  // namespace lumora
