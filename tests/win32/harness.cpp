#include "win32/harness.h"

#include <deque>
#include <utility>

#include "app/toolkit/win32/message_loop.h"

namespace lumora::testing {

namespace {

std::deque<std::function<void()>>& Pending() {
  static std::deque<std::function<void()>> actions;
  return actions;
}

void CALLBACK RunPending(HWND /*hwnd*/, UINT /*message*/, UINT_PTR id, DWORD /*time*/) {
  ::KillTimer(nullptr, id);
  auto actions = std::exchange(Pending(), {});
  for (auto& action : actions) action();
}

MessageBoxWatcher*& Current() {
  static MessageBoxWatcher* watcher = nullptr;
  return watcher;
}

UINT IconFlag(HWND box) {
  HWND control = ::GetDlgItem(box, 0x0440);
  // Not IsWindowVisible: the box itself is not shown yet when it activates.
  if (control == nullptr || (::GetWindowLongW(control, GWL_STYLE) & WS_VISIBLE) == 0) return 0;
  auto* const icon = reinterpret_cast<HICON>(::SendMessageW(control, STM_GETICON, 0, 0));
  const std::pair<const wchar_t*, UINT> known[] = {{IDI_HAND, MB_ICONERROR},
                                                   {IDI_QUESTION, MB_ICONQUESTION},
                                                   {IDI_EXCLAMATION, MB_ICONWARNING},
                                                   {IDI_ASTERISK, MB_ICONINFORMATION}};
  for (const auto& [id, flag] : known) {
    if (icon != nullptr && icon == ::LoadIconW(nullptr, id)) return flag;
  }
  return 0;
}

}  // namespace

bool PumpUntil(const std::function<bool()>& condition, DWORD timeout_ms) {
  const ULONGLONG end = ::GetTickCount64() + timeout_ms;
  for (;;) {
    ProcessPendingMessages();
    if (condition()) return true;
    if (::GetTickCount64() > end) return false;
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

void PumpFor(DWORD ms) {
  PumpUntil([] { return false; }, ms);
}

void RunSoon(std::function<void()> action) {
  Pending().push_back(std::move(action));
  ::SetTimer(nullptr, 0, 1, &RunPending);
}

void Keys(std::initializer_list<WORD> keys, WORD modifier) {
  std::vector<INPUT> inputs;
  const auto key = [&inputs](WORD vk, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    inputs.push_back(input);
  };
  if (modifier != 0) key(modifier, false);
  for (const WORD vk : keys) {
    key(vk, false);
    key(vk, true);
  }
  if (modifier != 0) key(modifier, true);
  ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  PumpFor(150);
}

MessageBoxWatcher::MessageBoxWatcher() {
  Current() = this;
  hook_ = ::SetWindowsHookExW(WH_CBT, &Hook, nullptr, ::GetCurrentThreadId());
}

MessageBoxWatcher::~MessageBoxWatcher() {
  ::UnhookWindowsHookEx(hook_);
  Current() = nullptr;
}

LRESULT CALLBACK MessageBoxWatcher::Hook(int code, WPARAM w_param, LPARAM l_param) {
  MessageBoxWatcher* self = Current();
  auto* box = reinterpret_cast<HWND>(w_param);
  if (code == HCBT_ACTIVATE && self != nullptr && ClassOf(box) == L"#32770" &&
      ::GetPropW(box, L"LumoraSeen") == nullptr) {
    ::SetPropW(box, L"LumoraSeen", box);
    BoxSeen seen;
    seen.owner = ::GetWindow(box, GW_OWNER);
    seen.owner_enabled = seen.owner != nullptr && ::IsWindowEnabled(seen.owner);
    seen.title = TextOf(box);
    seen.text = TextOf(::GetDlgItem(box, 0xFFFF));
    seen.icon_flag = IconFlag(box);
    HWND cancel = ::GetDlgItem(box, IDCANCEL);
    seen.has_cancel = cancel != nullptr && (::GetWindowLongW(cancel, GWL_STYLE) & WS_VISIBLE) != 0;
    self->seen.push_back(seen);
    if (self->on_open) {
      self->on_open(box);
    } else {
      ::PostMessageW(box, WM_COMMAND, IDOK, 0);
    }
  }
  return ::CallNextHookEx(nullptr, code, w_param, l_param);
}

std::wstring TextOf(HWND hwnd) {
  const int length = ::GetWindowTextLengthW(hwnd);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  text.resize(static_cast<std::size_t>(::GetWindowTextW(hwnd, text.data(), length + 1)));
  return text;
}

std::wstring ClassOf(HWND hwnd) {
  wchar_t name[64] = {};
  ::GetClassNameW(hwnd, name, 64);
  return name;
}

LOGFONTW FontOf(HWND hwnd) {
  LOGFONTW font{};
  auto* handle = reinterpret_cast<HFONT>(::SendMessageW(hwnd, WM_GETFONT, 0, 0));
  if (handle != nullptr) ::GetObjectW(handle, sizeof font, &font);
  return font;
}

std::wstring MenuText(HMENU menu, UINT position) {
  wchar_t text[256] = {};
  ::GetMenuStringW(menu, position, text, 256, MF_BYPOSITION);
  return text;
}

RECT ClientRectOf(HWND hwnd, HWND window) {
  RECT rect{};
  ::GetWindowRect(hwnd, &rect);
  POINT origin{0, 0};
  ::ClientToScreen(window, &origin);
  ::OffsetRect(&rect, -origin.x, -origin.y);
  return rect;
}

int ScreenDpi() {
  HDC screen = ::GetDC(nullptr);
  const int dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
  ::ReleaseDC(nullptr, screen);
  return dpi;
}

int Px(int twips) { return (twips * ScreenDpi() + 720) / 1440; }

OtherWindow::OtherWindow() {
  WNDCLASSW wc{};
  wc.lpfnWndProc = &::DefWindowProcW;
  wc.hInstance = ::GetModuleHandleW(nullptr);
  wc.lpszClassName = L"LumoraTestOther";
  ::RegisterClassW(&wc);
  hwnd_ = ::CreateWindowExW(0, L"LumoraTestOther", L"Other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20,
                            20, 200, 100, nullptr, nullptr, wc.hInstance, nullptr);
  ::SetForegroundWindow(hwnd_);
  PumpFor(100);
}

OtherWindow::~OtherWindow() { ::DestroyWindow(hwnd_); }

}  // namespace lumora::testing
