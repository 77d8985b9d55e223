// The start-up floor: lumora's main window made in the plainest way that
// shows what it shows. The same nesting (two frames, the panel inside "Main
// Controls", the controls inside those), made in the same order; the same
// classes where the program needs its own (its window's; a panel that
// keeps its font and passes its controls' commands on; frames subclassed
// to pass them on); the same fonts, icons, menu bar, shortcut key and
// manifest; and the three registry reads the program needs, shown. None of
// its logic: no descriptions, texts table, DPI or language switch. Apply
// shows the same confirmation box.
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <iterator>

#include "app/toolkit/win32/startup_phase.h"

namespace {

using lumora::MarkPhase;
using lumora::StartupPhase;

constexpr int kApply = 1;
constexpr wchar_t kPanel[] = L"LumoraFloorPanel";

struct Control {
  const wchar_t* class_name;
  const wchar_t* caption;
  DWORD style;
  DWORD ex_style;
  int parent;                    // the row that holds it; -1 for the window
  int left, top, width, height;  // pixels at 96 DPI, from the parent's corner
  int id;
};

// In the program's order: each container's contents in focus order, a
// container before what it holds.
// clang-format off
constexpr Control kControls[] = {
    {L"BUTTON", L" Main Controls : ", BS_GROUPBOX, WS_EX_CONTROLPARENT, -1, 8, 56, 233, 121, 12},
    {L"BUTTON", L" Current Option : ", BS_GROUPBOX, WS_EX_CONTROLPARENT, -1, 8, 8, 233, 41, 10},
    {kPanel, L"", 0, WS_EX_CONTROLPARENT, 0, 8, 16, 217, 97, 13},
    {L"EDIT", L"", ES_READONLY | ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE, 1, 24, 16, 185, 19, 11},
    {L"BUTTON", L"A&pply", BS_DEFPUSHBUTTON | WS_TABSTOP, 0, 2, 8, 64, 57, 33, kApply},
    {L"BUTTON", L"&About", BS_PUSHBUTTON | WS_TABSTOP, 0, 2, 80, 64, 57, 33, 18},
    {L"BUTTON", L"Do not show hidden files and folders.", BS_AUTORADIOBUTTON | WS_TABSTOP, 0, 2, 0, 41, 217, 13, 16},
    {L"BUTTON", L"Show hidden files and folders.", BS_AUTORADIOBUTTON, 0, 2, 0, 24, 217, 13, 15},
    {L"BUTTON", L"Show Super Hidden(system) files.", BS_AUTOCHECKBOX | WS_TABSTOP | WS_GROUP, 0, 2, 0, 3, 217, 13, 14},
    {L"BUTTON", L"E&xit", BS_PUSHBUTTON | WS_TABSTOP, 0, 2, 152, 64, 57, 33, 17},
};
// clang-format on
// Rows the start-up sets after the reads, and the one with the focus.
constexpr std::size_t kStatusRow = 3, kApplyRow = 4, kHideRow = 6, kSuperRow = 8;

LRESULT PassUp(HWND hwnd, UINT message, WPARAM w_param, LPARAM l_param) {
  return ::SendMessageW(::GetParent(hwnd), message, w_param, l_param);
}

// A frame's own procedure is kept in its user data while it passes commands on.
LRESULT CALLBACK FrameProc(HWND hwnd, UINT message, WPARAM w_param, LPARAM l_param) {
  if (message == WM_COMMAND) return PassUp(hwnd, message, w_param, l_param);
  return ::CallWindowProcW(reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA)),
                           hwnd, message, w_param, l_param);
}

LRESULT CALLBACK PanelProc(HWND hwnd, UINT message, WPARAM w_param, LPARAM l_param) {
  if (message == WM_COMMAND) return PassUp(hwnd, message, w_param, l_param);
  if (message == WM_SETFONT) {
    ::SetWindowLongPtrW(hwnd, 0, static_cast<LONG_PTR>(w_param));
    return 0;
  }
  if (message == WM_GETFONT) return ::GetWindowLongPtrW(hwnd, 0);
  return ::DefWindowProcW(hwnd, message, w_param, l_param);
}

LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM w_param, LPARAM l_param) {
  if (message == WM_COMMAND && LOWORD(w_param) == kApply) {
    ::MessageBoxW(hwnd, L" Option changes successfully! Good Luck!", L"Changed",
                  MB_ICONINFORMATION);
    return 0;
  }
  if (message == WM_DESTROY) {
    ::PostQuitMessage(0);
    return 0;
  }
  return ::DefWindowProcW(hwnd, message, w_param, l_param);
}

HMENU Menu() {
  HMENU bar = ::CreateMenu();
  HMENU file = ::CreatePopupMenu();
  ::AppendMenuW(file, MF_STRING, kApply, L"A&pply\tCtrl+P");
  ::AppendMenuW(file, MF_SEPARATOR, 0, nullptr);
  ::AppendMenuW(file, MF_STRING, 2, L"E&xit");
  HMENU language = ::CreatePopupMenu();
  ::AppendMenuW(language, MF_STRING, 3, L"&English");
  ::AppendMenuW(language, MF_STRING, 4, L"&Persian");
  HMENU help = ::CreatePopupMenu();
  ::AppendMenuW(help, MF_STRING, 5, L"&About");
  ::AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), L"&File");
  ::AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(language), L"&Language");
  ::AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(help), L"&Help");
  return bar;
}

DWORD Setting(const wchar_t* name) {
  DWORD value = 0;
  DWORD size = sizeof value;
  ::RegGetValueW(HKEY_CURRENT_USER,
                 L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced", name,
                 RRF_RT_REG_DWORD, nullptr, &value, &size);
  return value;
}

}  // namespace

// NOLINTNEXTLINE(readability-inconsistent-declaration-parameter-name): the system's names
int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*command_line*/, int show) {
  MarkPhase(StartupPhase::kMain);
  ::InitCommonControls();
  WNDCLASSW wc{};
  wc.hInstance = instance;
  wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpfnWndProc = &PanelProc;
  wc.cbWndExtra = sizeof(LONG_PTR);
  wc.lpszClassName = kPanel;
  ::RegisterClassW(&wc);
  wc.lpfnWndProc = &Proc;
  wc.cbWndExtra = 0;
  wc.hIcon = ::LoadIconW(instance, MAKEINTRESOURCEW(1));
  wc.lpszClassName = L"LumoraFloor";
  ::RegisterClassW(&wc);
  constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  RECT frame{0, 0, 248, 184};
  ::AdjustWindowRect(&frame, kStyle, TRUE);
  HWND hwnd = ::CreateWindowW(L"LumoraFloor", L"Lumora!", kStyle, 388 + frame.left, 196 + frame.top,
                              frame.right - frame.left, frame.bottom - frame.top, nullptr, Menu(),
                              instance, nullptr);
  MarkPhase(StartupPhase::kWindowCreated);
  HFONT tahoma =
      ::CreateFontW(-11, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, 178, 0, 0, 0, 0, L"Tahoma");
  HFONT sans = ::CreateFontW(-11, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, 178, 0, 0, 0, 0,
                             L"MS Sans Serif");
  HWND made[std::size(kControls)] = {};
  for (std::size_t i = 0; i < std::size(kControls); ++i) {
    const Control& c = kControls[i];
    made[i] =
        ::CreateWindowExW(c.ex_style, c.class_name, c.caption, WS_CHILD | WS_VISIBLE | c.style,
                          c.left, c.top, c.width, c.height, c.parent < 0 ? hwnd : made[c.parent],
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)), instance, nullptr);
    if (c.class_name != kPanel && (c.ex_style & WS_EX_CONTROLPARENT) != 0) {
      ::SetWindowLongPtrW(made[i], GWLP_USERDATA, ::GetWindowLongPtrW(made[i], GWLP_WNDPROC));
      ::SetWindowLongPtrW(made[i], GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&FrameProc));
    }
    ::SendMessageW(made[i], WM_SETFONT,
                   reinterpret_cast<WPARAM>(c.class_name == kPanel ? sans : tahoma), FALSE);
  }
  MarkPhase(StartupPhase::kElementsPlaced);
  // What the three reads say, shown.
  wchar_t language[16] = {};
  DWORD size = sizeof language;
  ::RegGetValueW(HKEY_CURRENT_USER, L"Software\\NorvaleSoft\\Lumora", L"Language", RRF_RT_REG_SZ,
                 nullptr, language, &size);
  ::CheckMenuItem(::GetMenu(hwnd), ::lstrcmpW(language, L"Persian") == 0 ? 4 : 3, MF_CHECKED);
  if (Setting(L"Hidden") == 2) {
    ::SendMessageW(made[kHideRow], BM_SETCHECK, BST_CHECKED, 0);
    ::SetWindowTextW(made[kStatusRow], L"Hiding option is activated.");
  }
  if (Setting(L"ShowSuperHidden") == 1)
    ::SendMessageW(made[kSuperRow], BM_SETCHECK, BST_CHECKED, 0);
  MarkPhase(StartupPhase::kLoaded);
  ACCEL shortcut{FCONTROL | FVIRTKEY, 'P', kApply};
  HACCEL shortcuts = ::CreateAcceleratorTableW(&shortcut, 1);
  ::ShowWindow(hwnd, show);
  MarkPhase(StartupPhase::kShown);
  ::UpdateWindow(hwnd);
  ::SetFocus(made[kApplyRow]);
  MSG msg;
  while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (::TranslateAcceleratorW(hwnd, shortcuts, &msg) != 0 || ::IsDialogMessageW(hwnd, &msg)) {
      continue;
    }
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  return 0;
}
