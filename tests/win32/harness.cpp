#include "win32/harness.h"

#include <utility>

#include "app/toolkit/win32/message_loop.h"
#include "i18n/language.h"

namespace lumora::testing {

namespace {

std::vector<std::function<void()>>& Pending() {
  static std::vector<std::function<void()>> actions;
  return actions;
}

void CALLBACK RunPending(HWND /*hwnd*/, UINT /*message*/, UINT_PTR id, DWORD /*time*/) {
  ::KillTimer(nullptr, id);
  for (auto& action : std::exchange(Pending(), {})) action();
}

MessageBoxWatcher*& Current() {
  static MessageBoxWatcher* watcher = nullptr;
  return watcher;
}

// Not IsWindowVisible: the box itself is not shown yet when it activates.
bool Shown(HWND control) {
  return control != nullptr && (::GetWindowLongW(control, GWL_STYLE) & WS_VISIBLE) != 0;
}

}  // namespace

void PumpFor(DWORD ms) {
  const ULONGLONG end = ::GetTickCount64() + ms;
  do {
    ProcessPendingMessages();
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  } while (::GetTickCount64() < end);
  ProcessPendingMessages();
}

void RunSoon(std::function<void()> action) {
  Pending().push_back(std::move(action));
  ::SetTimer(nullptr, 0, 1, &RunPending);
}

void Keys(std::initializer_list<WORD> keys, WORD modifier) {
  std::vector<INPUT> inputs;
  const auto key = [&inputs](WORD vk, DWORD flags) {
    inputs.push_back({INPUT_KEYBOARD, {.ki = {vk, 0, flags, 0, 0}}});
  };
  if (modifier != 0) key(modifier, 0);
  for (const WORD vk : keys) {
    key(vk, 0);
    key(vk, KEYEVENTF_KEYUP);
  }
  if (modifier != 0) key(modifier, KEYEVENTF_KEYUP);
  ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  PumpFor(150);
}

MessageBoxWatcher::MessageBoxWatcher()
    : hook_(::SetWindowsHookExW(WH_CBT, &Hook, nullptr, ::GetCurrentThreadId())) {
  Current() = this;
}

MessageBoxWatcher::~MessageBoxWatcher() {
  ::UnhookWindowsHookEx(hook_);
  Current() = nullptr;
}

LRESULT CALLBACK MessageBoxWatcher::Hook(int code, WPARAM w_param, LPARAM l_param) {
  MessageBoxWatcher* self = Current();
  auto* box = reinterpret_cast<HWND>(w_param);
  // Recorded once, however often it is activated.
  if (code == HCBT_ACTIVATE && self != nullptr && ClassOf(box) == L"#32770" &&
      ::GetPropW(box, L"LumoraSeen") == nullptr && ::SetPropW(box, L"LumoraSeen", box)) {
    HWND owner = ::GetWindow(box, GW_OWNER);
    auto* icon = reinterpret_cast<HICON>(::SendDlgItemMessageW(box, 0x0440, STM_GETICON, 0, 0));
    UINT flag = 0;
    if (Shown(::GetDlgItem(box, 0x0440))) {
      flag = icon == ::LoadIconW(nullptr, IDI_ASTERISK) ? MB_ICONINFORMATION
             : icon == ::LoadIconW(nullptr, IDI_HAND)   ? MB_ICONERROR
                                                        : 1;
    }
    self->seen.push_back({owner, owner != nullptr && ::IsWindowEnabled(owner) != FALSE, TextOf(box),
                          TextOf(::GetDlgItem(box, 0xFFFF)), flag,
                          Shown(::GetDlgItem(box, IDCANCEL))});
    if (self->on_open) {
      self->on_open(box);
    } else {
      ::PostMessageW(box, WM_COMMAND, IDOK, 0);
    }
  }
  return ::CallNextHookEx(nullptr, code, w_param, l_param);
}

OtherWindow::OtherWindow() {
  hwnd_ = ::CreateWindowExW(0, L"Static", L"Other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20, 200,
                            100, nullptr, nullptr, nullptr, nullptr);
  ::SetForegroundWindow(hwnd_);
  PumpFor(100);
}

std::wstring TextOf(HWND hwnd) {
  std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(hwnd)) + 1, L'\0');
  text.resize(
      static_cast<std::size_t>(::GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
  return text;
}

std::wstring ClassOf(HWND hwnd) {
  wchar_t name[64] = {};
  ::GetClassNameW(hwnd, name, 64);
  return name;
}

LOGFONTW FontOf(HWND hwnd) {
  LOGFONTW font{};
  ::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(hwnd, WM_GETFONT, 0, 0)), sizeof font, &font);
  return font;
}

std::wstring FontText(HWND hwnd) {
  const LOGFONTW font = FontOf(hwnd);
  return std::wstring(font.lfFaceName) + L' ' + std::to_wstring(font.lfHeight) + L' ' +
         std::to_wstring(font.lfWeight) + L' ' + std::to_wstring(font.lfCharSet) +
         (font.lfItalic != 0 ? L"+ITALIC" : L"") + (font.lfUnderline != 0 ? L"+UNDERLINE" : L"") +
         (font.lfStrikeOut != 0 ? L"+STRIKEOUT" : L"");
}

RECT RectIn(HWND hwnd, HWND window) {
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

ProgramTest::ProgramTest() {
  ui_.Attach(main_);
  ui_.Attach(about_);
  registry_.PutDword(kHkcu, kAdvanced, u"Hidden", 2);
  registry_.PutDword(kHkcu, kAdvanced, u"ShowSuperHidden", 1);
}

ProgramTest::~ProgramTest() {
  if (main_.Hwnd() != nullptr) ::DestroyWindow(main_.Hwnd());
  MSG msg{};
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
  }
  CurrentLanguage.clear();
}

void ProgramTest::Start(std::optional<std::u16string> language) {
  if (language) store_.entries[u"NorvaleSoft\\Lumora\\Language"] = *language;
  main_.Start(SW_SHOW);
  ::SetForegroundWindow(main_.Hwnd());
  PumpFor(50);
}

void ProgramTest::Choose(int menu, int item) const {
  const UINT id = ::GetMenuItemID(::GetSubMenu(::GetMenu(main_.Hwnd()), menu), item);
  ::SendMessageW(main_.Hwnd(), WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

}  // namespace lumora::testing
