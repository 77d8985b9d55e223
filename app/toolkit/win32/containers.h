#pragma once

#include <windows.h>

namespace lumora {

// Elements that hold others (frames, panels) pass their controls'
// notifications on to the window, which handles them all.
void ForwardNotificationsToWindow(HWND container);

// Registers the toolkit's panel class once: a plain area that keeps the font
// it is given, as controls do.
void RegisterPanelClass();

}  // namespace lumora
