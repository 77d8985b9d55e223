// The start-up floor: lumora's main window, menu bar, shortcut key, fonts,
// icons, manifest and elements, created in the plainest way with none of its
// logic (no registry, no language, no texts table); Apply shows the same
// confirmation box.
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

namespace {

constexpr int kApply = 1;

struct Control {
  const wchar_t* class_name;
  const wchar_t* caption;
  DWORD style;
  int left, top, width, height;  // pixels at 96 DPI, from the client area
  int id;
  bool checked;
  bool panel_font;
};

// clang-format off
constexpr Control kControls[] = {
    {L"BUTTON", L" Current Option : ", BS_GROUPBOX, 8, 8, 233, 41, 10, false, false},
    {L"EDIT", L"Hiding option is activated.", ES_READONLY | ES_AUTOHSCROLL | WS_TABSTOP, 32, 24, 185, 19, 11, false, false},
    {L"BUTTON", L" Main Controls : ", BS_GROUPBOX, 8, 56, 233, 121, 12, false, false},
    {L"STATIC", L"", 0, 16, 72, 217, 97, 13, false, true},
    {L"BUTTON", L"Show Super Hidden(system) files.", BS_AUTOCHECKBOX | WS_TABSTOP, 16, 75, 217, 13, 14, true, false},
    {L"BUTTON", L"Show hidden files and folders.", BS_AUTORADIOBUTTON, 16, 96, 217, 13, 15, false, false},
    {L"BUTTON", L"Do not show hidden files and folders.", BS_AUTORADIOBUTTON | WS_TABSTOP, 16, 113, 217, 13, 16, true, false},
    {L"BUTTON", L"E&xit", BS_PUSHBUTTON | WS_TABSTOP, 168, 136, 57, 33, 17, false, false},
    {L"BUTTON", L"&About", BS_PUSHBUTTON | WS_TABSTOP, 96, 136, 57, 33, 18, false, false},
    {L"BUTTON", L"A&pply", BS_PUSHBUTTON | WS_TABSTOP, 24, 136, 57, 33, kApply, false, false},
};
// clang-format on

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
  ::AppendMenuW(language, MF_STRING | MF_CHECKED, 3, L"&English");
  ::AppendMenuW(language, MF_STRING, 4, L"&Persian");
  HMENU help = ::CreatePopupMenu();
  ::AppendMenuW(help, MF_STRING, 5, L"&About");
  ::AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), L"&File");
  ::AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(language), L"&Language");
  ::AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(help), L"&Help");
  return bar;
}

}  // namespace

// NOLINTNEXTLINE(readability-inconsistent-declaration-parameter-name): the system's names
int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*command_line*/, int show) {
  ::InitCommonControls();
  WNDCLASSW wc{};
  wc.lpfnWndProc = &Proc;
  wc.hInstance = instance;
  wc.hIcon = ::LoadIconW(instance, MAKEINTRESOURCEW(1));
  wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = L"LumoraFloor";
  ::RegisterClassW(&wc);
  constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  RECT frame{0, 0, 248, 184};
  ::AdjustWindowRect(&frame, kStyle, TRUE);
  HWND hwnd = ::CreateWindowW(L"LumoraFloor", L"Lumora!", kStyle, 388 + frame.left, 196 + frame.top,
                              frame.right - frame.left, frame.bottom - frame.top, nullptr, Menu(),
                              instance, nullptr);
  HFONT tahoma =
      ::CreateFontW(-11, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, 178, 0, 0, 0, 0, L"Tahoma");
  HFONT sans = ::CreateFontW(-11, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, 178, 0, 0, 0, 0,
                             L"MS Sans Serif");
  for (const Control& c : kControls) {
    HWND control = ::CreateWindowW(
        c.class_name, c.caption, WS_CHILD | WS_VISIBLE | c.style, c.left, c.top, c.width, c.height,
        hwnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)), instance, nullptr);
    ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(c.panel_font ? sans : tahoma),
                   FALSE);
    if (c.checked) ::SendMessageW(control, BM_SETCHECK, BST_CHECKED, 0);
  }
  ACCEL shortcut{FCONTROL | FVIRTKEY, 'P', kApply};
  HACCEL shortcuts = ::CreateAcceleratorTableW(&shortcut, 1);
  ::ShowWindow(hwnd, show);
  ::UpdateWindow(hwnd);
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
