#pragma once

// In-process helpers for tests under Wine: the current user's registry as it
// really is, message pumping, keys, a watch on message boxes, readings of
// texts, fonts and places, and the program's two windows wired as lumora.exe
// wires them, over fakes.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/toolkit/win32/message_loop.h"
#include "app/toolkit/win32/win32_window_ops.h"
#include "app/win32/about_window.h"
#include "app/win32/main_window.h"
#include "fakes/fakes.h"

// Rectangles compare by their edges and print as places; found by the
// type's own namespace.
inline bool operator==(const RECT& a, const RECT& b) { return ::EqualRect(&a, &b) != FALSE; }
inline void PrintTo(const RECT& r, std::ostream* out) {
  *out << "{left " << r.left << ", top " << r.top << ", width " << r.right - r.left << ", height "
       << r.bottom - r.top << "}";
}

namespace lumora::testing {

// The current user's registry, for presetting and checking.
inline constexpr wchar_t kStoreKey[] = L"Software\\NorvaleSoft\\Lumora";

struct RawValue {
  DWORD type = 0;
  std::vector<BYTE> data;
  friend bool operator==(const RawValue&, const RawValue&) = default;
};

// A text's bytes with its terminator.
inline std::vector<BYTE> SzBytes(const std::wstring& text) {
  const auto* bytes = reinterpret_cast<const BYTE*>(text.c_str());
  return {bytes, bytes + (text.size() + 1) * sizeof(wchar_t)};
}

inline RawValue Text(const wchar_t* text) { return {REG_SZ, SzBytes(text)}; }

// Creates the key when needed.
inline void PutValue(const std::wstring& key, const wchar_t* name, const RawValue& value) {
  ::RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), name, value.type, value.data.data(),
                    static_cast<DWORD>(value.data.size()));
}

// Not RegGetValue: it would mend an unterminated string.
inline std::optional<RawValue> GetValue(const std::wstring& key, const wchar_t* name) {
  HKEY handle = nullptr;
  if (::RegOpenKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, KEY_QUERY_VALUE, &handle) != 0) return {};
  RawValue value{0, std::vector<BYTE>(2 << 20)};
  auto size = static_cast<DWORD>(value.data.size());
  const LONG status =
      ::RegQueryValueExW(handle, name, nullptr, &value.type, value.data.data(), &size);
  ::RegCloseKey(handle);
  value.data.resize(size);
  return status == ERROR_SUCCESS ? std::optional(value) : std::nullopt;
}

// How many values and sub-keys a key holds; nothing when it is missing.
inline std::optional<std::pair<DWORD, DWORD>> Counts(const std::wstring& key) {
  HKEY handle = nullptr;
  DWORD values = 0, keys = 0;
  if (::RegOpenKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &handle) != 0) return {};
  ::RegQueryInfoKeyW(handle, nullptr, nullptr, nullptr, &keys, nullptr, nullptr, &values, nullptr,
                     nullptr, nullptr, nullptr);
  ::RegCloseKey(handle);
  return std::pair{values, keys};
}

inline void DeleteTree(const std::wstring& key) {
  ::RegDeleteTreeW(HKEY_CURRENT_USER, key.c_str());
}

// Handles this thread's messages as the program's loop does, for a while.
inline void PumpFor(DWORD ms) {
  const ULONGLONG end = ::GetTickCount64() + ms;
  do {
    ProcessPendingMessages();
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  } while (::GetTickCount64() < end);
  ProcessPendingMessages();
}

// Runs the action from whichever message loop runs next on this thread,
// modal ones included.
inline std::vector<std::function<void()>> g_pending;
inline void CALLBACK RunPending(HWND /*hwnd*/, UINT /*message*/, UINT_PTR id, DWORD /*time*/) {
  ::KillTimer(nullptr, id);
  for (auto& action : std::exchange(g_pending, {})) action();
}
inline void RunSoon(std::function<void()> action, UINT ms = 1) {
  g_pending.push_back(std::move(action));
  ::SetTimer(nullptr, 0, ms, &RunPending);
}

// Presses keys through the system's input queue, holding a modifier
// (VK_MENU, VK_CONTROL) if given, then the keys after it, all at once (a
// menu the first ones open reads the others), and handles what follows.
inline void Keys(std::initializer_list<WORD> keys, WORD modifier = 0,
                 std::initializer_list<WORD> then = {}) {
  std::vector<INPUT> inputs;
  const auto key = [&inputs](WORD vk, DWORD flags) {
    if (vk != 0) inputs.push_back({INPUT_KEYBOARD, {.ki = {vk, 0, flags, 0, 0}}});
  };
  key(modifier, 0);
  for (const WORD vk : keys) key(vk, 0), key(vk, KEYEVENTF_KEYUP);
  key(modifier, KEYEVENTF_KEYUP);
  for (const WORD vk : then) key(vk, 0), key(vk, KEYEVENTF_KEYUP);
  ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  PumpFor(150);
}

inline std::wstring TextOf(HWND hwnd) {
  wchar_t text[1024] = {};
  ::GetWindowTextW(hwnd, text, 1024);
  return text;
}

inline std::wstring Wide(std::u16string_view text) { return {text.begin(), text.end()}; }

inline std::wstring ClassOf(HWND hwnd) {
  wchar_t name[64] = {};
  ::GetClassNameW(hwnd, name, 64);
  return name;
}

// A window's font as "face height weight charset", and "+STYLED" for any
// italic, underline or strike-out.
inline std::wstring FontText(HWND hwnd) {
  LOGFONTW font{};
  ::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(hwnd, WM_GETFONT, 0, 0)), sizeof font, &font);
  return std::wstring(font.lfFaceName) + L' ' + std::to_wstring(font.lfHeight) + L' ' +
         std::to_wstring(font.lfWeight) + L' ' + std::to_wstring(font.lfCharSet) +
         (font.lfItalic + font.lfUnderline + font.lfStrikeOut != 0 ? L"+STYLED" : L"");
}

// The screen's DPI, which the windows take, and a length in twips as
// pixels at it, rounded to the nearest.
inline int ScreenDpi() {
  HDC screen = ::GetDC(nullptr);
  const int dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
  ::ReleaseDC(nullptr, screen);
  return dpi;
}
inline int Px(int twips, int dpi = ScreenDpi()) { return (twips * dpi + 720) / 1440; }

// A rectangle in twips from a corner, itself in twips from the screen's, as
// pixels; and a window's rectangle on the screen.
inline RECT Pixels(const RECT& twips, int corner_x = 0, int corner_y = 0, int dpi = ScreenDpi()) {
  const int x = Px(corner_x, dpi), y = Px(corner_y, dpi);
  return {x + Px(twips.left, dpi), y + Px(twips.top, dpi), x + Px(twips.right, dpi),
          y + Px(twips.bottom, dpi)};
}
inline RECT OnScreen(HWND hwnd) {
  RECT rect{};
  ::GetWindowRect(hwnd, &rect);
  return rect;
}
inline RECT ClientOnScreen(HWND hwnd) {
  RECT client{};
  ::GetClientRect(hwnd, &client);
  ::MapWindowPoints(hwnd, nullptr, reinterpret_cast<POINT*>(&client), 2);
  return client;
}
// What the user sees in a rectangle of the screen, row by row.
struct ScreenPixels {
  explicit ScreenPixels(const RECT& box)
      : width(box.right - box.left), height(box.bottom - box.top) {
    PumpFor(100);  // painted and on the screen
    HDC screen = ::GetDC(nullptr);
    HDC copy = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = ::SelectObject(copy, bitmap);
    ::BitBlt(copy, 0, 0, width, height, screen, box.left, box.top, SRCCOPY);
    ::SelectObject(copy, old);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<RGBQUAD> bits(static_cast<std::size_t>(width) * height);
    ::GetDIBits(copy, bitmap, 0, height, bits.data(), &info, DIB_RGB_COLORS);
    for (const RGBQUAD& bit : bits) pixels.push_back(RGB(bit.rgbRed, bit.rgbGreen, bit.rgbBlue));
    ::DeleteObject(bitmap);
    ::DeleteDC(copy);
    ::ReleaseDC(nullptr, screen);
  }
  [[nodiscard]] COLORREF At(int x, int y) const { return pixels[y * width + x]; }
  [[nodiscard]] std::ptrdiff_t Count(COLORREF colour) const {
    return std::ranges::count(pixels, colour);
  }

  int width, height;
  std::vector<COLORREF> pixels;
};

// Where the lines of a window's text begin and end on the screen: the
// blank pixels before and after the text in its rows, on average.
inline std::pair<int, int> TextMargins(HWND hwnd) {
  const ScreenPixels seen(OnScreen(hwnd));
  int left = 0, right = 0, rows = 0;
  for (int y = 0; y < seen.height; ++y) {
    int first = -1, last = -1;
    for (int x = 0; x < seen.width; ++x) {
      if (seen.At(x, y) != ::GetSysColor(COLOR_BTNFACE)) (first < 0 ? first : last) = x;
    }
    if (first < 0) continue;
    left += first, right += seen.width - 1 - std::max(first, last), ++rows;
  }
  return {left / std::max(rows, 1), right / std::max(rows, 1)};
}

// The system's colours changed in this process, as when the user picks
// another scheme, and set back when it goes: the button face, its light
// edge and the text on it.
class ColourScheme {
 public:
  ColourScheme(COLORREF face, COLORREF light, COLORREF text)
      : kept_{Use({face, light, text, text})} {}
  ~ColourScheme() { Use(kept_); }
  ColourScheme(const ColourScheme&) = delete;
  ColourScheme& operator=(const ColourScheme&) = delete;

 private:
  using Colours = std::array<COLORREF, 4>;
  static Colours Use(const Colours& colours) {
    static constexpr int kWhich[] = {COLOR_BTNFACE, COLOR_3DLIGHT, COLOR_BTNTEXT, COLOR_WINDOWTEXT};
    Colours before{};
    for (std::size_t i = 0; i < before.size(); ++i) before[i] = ::GetSysColor(kWhich[i]);
    ::SetSysColors(4, kWhich, colours.data());
    PumpFor(100);
    return before;
  }
  Colours kept_;
};

// The windows' font size, 8.25 points, regular, Arabic character set, as
// FontText writes it after the face.
inline std::wstring Regular825Points() {
  return ScreenDpi() == 144 ? L" -17 400 178" : L" -11 400 178";
}

// Watches this thread's message boxes while it lives: each is recorded as it
// opens, as "title|text|icon|buttons|owner's caption and state", then
// answered with OK, or handed to on_open, which sees to it. An about window
// that no step waits for fails the test and is closed.
class MessageBoxWatcher {
 public:
  MessageBoxWatcher() { current = this; }
  ~MessageBoxWatcher() {
    ::UnhookWindowsHookEx(hook_);
    current = nullptr;
  }

  std::vector<std::wstring> seen;
  std::function<void(HWND box)> on_open;

 private:
  // Not IsWindowVisible: the box itself is not shown yet.
  static bool Shown(HWND box, int id) {
    return (::GetWindowLongW(::GetDlgItem(box, id), GWL_STYLE) & WS_VISIBLE) != 0;
  }
  // Seen once made, whether or not it is ever activated.
  static LRESULT CALLBACK Hook(int code, WPARAM w_param, LPARAM l_param) {
    const auto* call = reinterpret_cast<const CWPRETSTRUCT*>(l_param);
    HWND box = call->hwnd;
    if (code == HC_ACTION && call->message == WM_INITDIALOG && current != nullptr &&
        ClassOf(box) == L"#32770") {
      auto* icon = reinterpret_cast<HICON>(::SendDlgItemMessageW(box, 0x0440, STM_GETICON, 0, 0));
      const wchar_t* kind = !Shown(box, 0x0440)                          ? L"no icon"
                            : icon == ::LoadIconW(nullptr, IDI_ASTERISK) ? L"information"
                            : icon == ::LoadIconW(nullptr, IDI_HAND)     ? L"error"
                                                                         : L"another icon";
      HWND owner = ::GetWindow(box, GW_OWNER);
      current->seen.push_back(TextOf(box) + L'|' + TextOf(::GetDlgItem(box, 0xFFFF)) + L'|' + kind +
                              (Shown(box, IDCANCEL) ? L"|OK Cancel|" : L"|OK|") + TextOf(owner) +
                              (::IsWindowEnabled(owner) ? L" takes input" : L" disabled"));
      if (current->on_open) {
        current->on_open(box);
      } else {
        ::PostMessageW(box, WM_COMMAND, IDOK, 0);
      }
    }
    if (code == HC_ACTION && call->message == WM_SHOWWINDOW && call->wParam != 0 &&
        g_pending.empty() && ClassOf(box) == L"Lumora.frmAbout") {
      ADD_FAILURE() << "the about window opened unasked";
      ::PostMessageW(box, WM_CLOSE, 0, 0);
    }
    return ::CallNextHookEx(nullptr, code, w_param, l_param);
  }
  static inline MessageBoxWatcher* current = nullptr;
  HHOOK hook_ = ::SetWindowsHookExW(WH_CALLWNDPROCRET, &Hook, nullptr, ::GetCurrentThreadId());
};

// A top-level window of this thread that takes the activation away while it lives.
struct OtherWindow {
  OtherWindow() {
    ::SetForegroundWindow(hwnd);
    PumpFor(100);
  }
  ~OtherWindow() { ::DestroyWindow(hwnd); }

  HWND hwnd = ::CreateWindowExW(0, L"Static", L"Other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20,
                                200, 100, nullptr, nullptr, nullptr, nullptr);
};

// The program's two windows over a fake registry holding Hidden 2 and
// ShowSuperHidden 1, and a fake store.
class ProgramTest : public ::testing::Test {
 protected:
  ProgramTest() {
    ui_.Attach(main_);
    ui_.Attach(about_);
    registry_.PutDword(kHkcu, kAdvanced, u"Hidden", 2);
    registry_.PutDword(kHkcu, kAdvanced, u"ShowSuperHidden", 1);
  }
  // Destroys a main window still open and forgets its quit message.
  ~ProgramTest() override {
    if (main_.Hwnd() != nullptr) ::DestroyWindow(main_.Hwnd());
    MSG msg{};
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
    CurrentLanguage.clear();
  }

  // Starts with this stored language (none: no entry), on a screen at the
  // DPI the run is for.
  void Start(std::optional<std::u16string> language) {
    const char* dpi = std::getenv("LUMORA_EXPECT_DPI");
    ASSERT_EQ(std::to_string(ScreenDpi()), dpi != nullptr ? dpi : "96");
    if (language) store_.entries[u"NorvaleSoft\\Lumora\\Language"] = *language;
    main_.Start(SW_SHOW);
    ::SetForegroundWindow(main_.Hwnd());
    PumpFor(50);
  }
  // An element of either window; nullptr when not there.
  [[nodiscard]] HWND Control(Element element) const {
    return main_.Handle(element) != nullptr ? main_.Handle(element) : about_.Handle(element);
  }
  [[nodiscard]] HWND About() const { return about_.Hwnd(); }
  // Clicks a button as the mouse would.
  void Click(Element button) const { ::SendMessageW(Control(button), BM_CLICK, 0, 0); }
  // Chooses a menu item by its place in the menu bar.
  void Choose(int menu, int item) const {
    const UINT id = ::GetMenuItemID(::GetSubMenu(::GetMenu(main_.Hwnd()), menu), item);
    ::SendMessageW(main_.Hwnd(), WM_COMMAND, MAKEWPARAM(id, 0), 0);
  }
  // Opens the about window by clicking or choosing, runs the checks in it,
  // then closes it with its close box; one that stays open fails the test
  // and is destroyed, so that its modal loop ends.
  void WithAbout(const std::function<void(HWND about)>& checks,
                 const std::function<void()>& open = {}) {
    bool ran = false;
    RunSoon([&] {
      ran = About() != nullptr;
      if (ran) checks(About());
      if (About() != nullptr) ::SendMessageW(About(), WM_CLOSE, 0, 0);
      EXPECT_EQ(About(), nullptr) << "the about window stays open";
      if (About() != nullptr) ::DestroyWindow(About());
    });
    open ? open() : Click(Element::cmdAbout);
    EXPECT_TRUE(ran) << "the about window did not open";
    g_pending.clear();  // nothing left to run against this frame
    EXPECT_EQ(About(), nullptr);
  }

  FakeRegistry registry_;
  FakeSettingsStore store_;
  Win32WindowOps ui_;
  MainWindow main_{ui_, registry_, store_};
  AboutWindow about_{ui_};
  MessageBoxWatcher boxes_;
};

}  // namespace lumora::testing
