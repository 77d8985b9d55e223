#pragma once

// Shared by the probe DLL and the driver. Wine keeps menus per process, so the
// probe runs inside the program under test and writes what it reads into a
// named shared memory block as UTF-16 lines:
//   "<top>|<state>|<text>" for each menu of the bar, then
//   "<top>.<item>|<state>|<text>" for each of its items,
// where <state> is GetMenuState's result in decimal.
inline constexpr wchar_t kProbeMemoryName[] = L"LumoraMenuProbe";
inline constexpr unsigned kProbeMemoryChars = 8192;
inline constexpr char kProbeEntryName[] = "ProbeMenus";
// Takes a message box's icon control and returns the message box flag of the
// system icon it shows (16, 32, 48 or 64), or 0. Icon handles are per process.
inline constexpr char kProbeIconEntryName[] = "ProbeIcon";
// Returns the number of live GDI objects of the process (GetGuiResources is
// a stub on Wine, so the probe counts the process's GDI handle table).
inline constexpr char kProbeGdiEntryName[] = "CountGdiObjects";
