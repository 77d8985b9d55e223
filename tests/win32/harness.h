#pragma once

// In-process helpers for tests of windows under Wine: message pumping, keys,
// a watch on message boxes, readings of texts, fonts and places, and the
// program's two windows wired as lumora.exe wires them, over fakes.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <initializer_list>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "app/toolkit/win32/window_ops.h"
#include "app/win32/about_window.h"
#include "app/win32/main_window.h"
#include "fakes/fake_registry.h"
#include "fakes/fake_settings_store.h"

// Rectangles compare by their edges; found by the type's own namespace.
inline bool operator==(const RECT& a, const RECT& b) { return ::EqualRect(&a, &b) != FALSE; }

namespace lumora::testing {

// Handles this thread's messages as the program's loop does, for a while.
void PumpFor(DWORD ms);
// Runs the action from whichever message loop runs next on this thread,
// modal ones included.
void RunSoon(std::function<void()> action);
// Presses keys through the system's input queue, holding a modifier
// (VK_MENU, VK_CONTROL) if given, and handles what follows.
void Keys(std::initializer_list<WORD> keys, WORD modifier = 0);

// A message box as this thread created it.
struct BoxSeen {
  HWND owner = nullptr;
  bool owner_enabled = true;  // while the box was open
  std::wstring title;
  std::wstring text;
  UINT icon = 0;  // MB_ICONINFORMATION, MB_ICONERROR or 0
  bool cancel = false;
  friend bool operator==(const BoxSeen&, const BoxSeen&) = default;
  friend void PrintTo(const BoxSeen& box, std::ostream* out) {
    *out << "owner " << box.owner << (box.owner_enabled ? " taking input" : "") << ", title "
         << ::testing::PrintToString(box.title) << ", text " << ::testing::PrintToString(box.text)
         << ", icon " << box.icon << (box.cancel ? ", Cancel" : "");
  }
};

// Watches this thread's message boxes while it lives: each is recorded as it
// opens, then answered with OK, or handed to on_open, which sees to it.
class MessageBoxWatcher {
 public:
  MessageBoxWatcher();
  MessageBoxWatcher(const MessageBoxWatcher&) = delete;
  MessageBoxWatcher& operator=(const MessageBoxWatcher&) = delete;
  ~MessageBoxWatcher();

  std::vector<BoxSeen> seen;
  std::function<void(HWND box)> on_open;

 private:
  static LRESULT CALLBACK Hook(int code, WPARAM w_param, LPARAM l_param);
  HHOOK hook_ = nullptr;
};

// A top-level window of this thread that takes the activation away.
class OtherWindow {
 public:
  OtherWindow();
  OtherWindow(const OtherWindow&) = delete;
  OtherWindow& operator=(const OtherWindow&) = delete;
  ~OtherWindow() { ::DestroyWindow(hwnd_); }
  [[nodiscard]] HWND Hwnd() const { return hwnd_; }

 private:
  HWND hwnd_ = nullptr;
};

[[nodiscard]] std::wstring TextOf(HWND hwnd);
[[nodiscard]] std::wstring ClassOf(HWND hwnd);
[[nodiscard]] LOGFONTW FontOf(HWND hwnd);
// A window's font as "face height weight charset", and "+ITALIC" and the
// like for each of those it has.
[[nodiscard]] std::wstring FontText(HWND hwnd);
// A window's rectangle in another's client coordinates (left to right).
[[nodiscard]] RECT RectIn(HWND hwnd, HWND window);
// The screen's DPI, which the windows take, and a length in twips as
// pixels at it, rounded to the nearest.
[[nodiscard]] int ScreenDpi();
[[nodiscard]] int Px(int twips);

inline constexpr auto kHkcu = static_cast<RegHandle>(0x80000001U);
inline constexpr char16_t kAdvanced[] =
    u"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced";

class ProgramTest : public ::testing::Test {
 protected:
  ProgramTest();
  // Destroys a main window still open and forgets its quit message.
  ~ProgramTest() override;

  // Starts with this stored language (none: no entry).
  void Start(std::optional<std::u16string> language);
  // An element of either window; nullptr when not there.
  [[nodiscard]] HWND Control(Element element) const {
    return main_.Handle(element) != nullptr ? main_.Handle(element) : about_.Handle(element);
  }
  [[nodiscard]] HWND About() const { return about_.Hwnd(); }
  // Clicks a button as the mouse would.
  void Click(Element button) const { ::SendMessageW(Control(button), BM_CLICK, 0, 0); }
  // Chooses a menu item by its place in the menu bar.
  void Choose(int menu, int item) const;
  [[nodiscard]] LRESULT Checked(Element element) const {
    return ::SendMessageW(Control(element), BM_GETCHECK, 0, 0);
  }

  FakeRegistry registry_;
  FakeSettingsStore store_;
  Win32WindowOps ui_;
  MainWindow main_{ui_, registry_, store_};
  AboutWindow about_{ui_};
  MessageBoxWatcher boxes_;
};

}  // namespace lumora::testing
