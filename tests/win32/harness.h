#pragma once

// In-process helpers for tests under Wine: the current user's registry as
// it really is, actions run from modal loops, keys, texts, a watch on
// message boxes, and the program's two windows wired as lumora.exe wires
// them, over fakes.
#include <gtest/gtest.h>
#include <windows.h>

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
#include "win32/screen.h"

namespace lumora::testing {

// The current user's registry, for presetting and checking: the settings
// store's key, and a key of the tests' own.
inline constexpr wchar_t kStoreKey[] = L"Software\\NorvaleSoft\\Lumora";
inline constexpr wchar_t kTestKey[] = L"Software\\LumoraTests";

// A text as stored, with its terminator.
inline StoredValue Text(const std::wstring& text, DWORD type = REG_SZ) {
  const auto* bytes = reinterpret_cast<const BYTE*>(text.c_str());
  return {type, {bytes, bytes + (text.size() + 1) * sizeof(wchar_t)}};
}

// The keys the tests write in the current user's registry, gone before and
// after each test.
class CleanRegistry : public ::testing::Test {
 protected:
  void SetUp() override { TearDown(); }
  void TearDown() override {
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kTestKey);
    ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\NorvaleSoft");
    CurrentLanguage.clear();
  }
};

// Creates the key when needed.
inline void PutValue(const std::wstring& key, const wchar_t* name, const StoredValue& value) {
  ::RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), name, value.type, value.data.data(),
                    static_cast<DWORD>(value.data.size()));
}

// Not RegGetValue: it would mend an unterminated string.
inline std::optional<StoredValue> GetValue(const std::wstring& key, const wchar_t* name) {
  UniqueKey handle;
  DWORD type = 0, size = 2 << 20;
  std::vector<BYTE> data(size);
  if (::RegOpenKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, KEY_QUERY_VALUE, handle.put()) != 0 ||
      ::RegQueryValueExW(handle.get(), name, nullptr, &type, data.data(), &size) != 0) {
    return std::nullopt;
  }
  data.resize(size);
  return StoredValue{type, data};
}

// Ends the message loop it runs in, which should have ended by itself.
inline void CALLBACK EndLoopLeftRunning(HWND /*hwnd*/, UINT /*message*/, UINT_PTR id,
                                        DWORD /*time*/) {
  ::KillTimer(nullptr, id);
  ADD_FAILURE() << "a modal loop goes on after its window has gone";
  ::PostQuitMessage(0);
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

// A window's text, or another of its names read the same way (its class's).
inline std::wstring TextOf(HWND hwnd, int(WINAPI* read)(HWND, LPWSTR, int) = &::GetWindowTextW) {
  wchar_t text[1024] = {};
  read(hwnd, text, 1024);
  return text;
}

inline std::wstring Wide(std::u16string_view text) { return {text.begin(), text.end()}; }

// Watches this thread's message boxes while it lives: each is recorded as it
// opens, as "title|text|icon|buttons|owner's caption and state", then
// answered with OK, or handed to on_open, which sees to it. An about window
// that no step waits for fails the test and is closed.
class MessageBoxWatcher {
 public:
  MessageBoxWatcher() { current = this; }
  ~MessageBoxWatcher() { current = nullptr; }

  std::vector<std::wstring> seen;
  std::function<void(HWND box)> on_open;
  // The windows that set their keyboard cues from the last input, as a
  // dialog does when it opens.
  std::vector<HWND> cues_initialised;

 private:
  // Not IsWindowVisible: the box itself is not shown yet.
  static bool Shown(HWND box, int id) {
    return (::GetWindowLongW(::GetDlgItem(box, id), GWL_STYLE) & WS_VISIBLE) != 0;
  }
  // Seen once made, whether or not it is ever activated.
  static LRESULT CALLBACK Hook(int code, WPARAM w_param, LPARAM l_param) {
    const auto* call = reinterpret_cast<const CWPRETSTRUCT*>(l_param);
    HWND box = call->hwnd;
    if (code != HC_ACTION || current == nullptr) {
      return ::CallNextHookEx(nullptr, code, w_param, l_param);
    }
    if (call->message == WM_CHANGEUISTATE && LOWORD(call->wParam) == UIS_INITIALIZE) {
      current->cues_initialised.push_back(box);
    }
    if (call->message == WM_INITDIALOG && TextOf(box, &::GetClassNameW) == L"#32770") {
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
    if (call->message == WM_SHOWWINDOW && call->wParam != 0 && g_pending.empty() &&
        TextOf(box, &::GetClassNameW) == L"Lumora.frmAbout") {
      ADD_FAILURE() << "the about window opened unasked";
      ::PostMessageW(box, WM_CLOSE, 0, 0);
    }
    return ::CallNextHookEx(nullptr, code, w_param, l_param);
  }
  static inline MessageBoxWatcher* current = nullptr;
  UniqueHook hook_{::SetWindowsHookExW(WH_CALLWNDPROCRET, &Hook, nullptr, ::GetCurrentThreadId())};
};

// A top-level window of this thread that takes the activation away while it lives.
struct OtherWindow {
  OtherWindow() {
    ::SetForegroundWindow(window.get());
    PumpFor(100);
  }

  UniqueWindow window{::CreateWindowExW(0, L"Static", L"Other", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                        20, 20, 200, 100, nullptr, nullptr, nullptr, nullptr)};
};

// The program's two windows over a fake registry holding Hidden 2 and
// ShowSuperHidden 1, and a fake store.
class ProgramTest : public ::testing::Test {
 protected:
  ProgramTest() {
    ui_.Attach(main_);
    ui_.Attach(about_);
    registry_.PutSetting(u"Hidden", 2);
    registry_.PutSetting(u"ShowSuperHidden", 1);
  }
  // Closes a main window still open, as the user does, which the system
  // then destroys; then forgets what the test left queued, its quit too.
  // What the test set to run refers to its own locals, gone by now: a box
  // a fault opens meanwhile is just answered.
  ~ProgramTest() override {
    boxes_.on_open = nullptr;
    g_pending.clear();
    if (main_.Hwnd() != nullptr) ::SendMessageW(main_.Hwnd(), WM_CLOSE, 0, 0);
    MSG msg{};
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
    CurrentLanguage.clear();
  }

  // Starts with this stored language, on a screen at the DPI the run is for.
  void Start(std::u16string_view language) {
    const char* dpi = std::getenv("LUMORA_EXPECT_DPI");
    ASSERT_EQ(std::to_string(ScreenDpi()), dpi != nullptr ? dpi : "96");
    store_.entries[kLanguageEntry] = language;
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
  // and is destroyed, and a modal loop left running is ended, failing it.
  void WithAbout(const std::function<void(HWND about)>& checks,
                 const std::function<void()>& open = {}) {
    bool ran = false;
    UINT_PTR guard = 0;
    RunSoon([&] {
      ran = About() != nullptr;
      if (ran) checks(About());
      if (About() != nullptr) ::SendMessageW(About(), WM_CLOSE, 0, 0);
      EXPECT_EQ(About(), nullptr) << "the about window stays open";
      if (About() != nullptr) about_.Unload();
      guard = ::SetTimer(nullptr, 0, 1000, &EndLoopLeftRunning);
    });
    open ? open() : Click(Element::cmdAbout);
    ::KillTimer(nullptr, guard);
    EXPECT_TRUE(ran) << "the about window did not open";
    g_pending.clear();  // nothing left to run against this frame
  }

  FakeRegistry registry_;
  FakeSettingsStore store_;
  Win32WindowOps ui_;
  MainWindow main_{ui_, registry_, store_};
  AboutWindow about_{ui_};
  MessageBoxWatcher boxes_;
};

}  // namespace lumora::testing
