#pragma once

// In-process helpers for tests of the program's windows under Wine: message
// pumping, keys, a watch on message boxes, and readings of fonts and texts.
#include <windows.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

namespace lumora::testing {

// Handles this thread's messages as the program's loop does until the
// condition holds; false when the time runs out first.
bool PumpUntil(const std::function<bool()>& condition, DWORD timeout_ms = 3000);
void PumpFor(DWORD ms);

// Runs the action from whichever message loop runs next on this thread,
// modal ones included.
void RunSoon(std::function<void()> action);

// Presses keys through the system's input queue, holding a modifier (VK_MENU,
// VK_CONTROL) if given, and handles what follows.
void Keys(std::initializer_list<WORD> keys, WORD modifier = 0);

// A message box as this thread created it.
struct BoxSeen {
  HWND owner = nullptr;
  bool owner_enabled = true;  // while the box was open
  std::wstring title;
  std::wstring text;
  UINT icon_flag = 0;  // MB_ICONINFORMATION, MB_ICONERROR ... or 0
  bool has_cancel = false;
};

// Watches the message boxes of this thread while it lives. Each box is
// recorded when it opens, then answered with OK, unless on_open is set:
// then on_open runs instead and must see to the box itself.
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

[[nodiscard]] std::wstring TextOf(HWND hwnd);
[[nodiscard]] std::wstring ClassOf(HWND hwnd);
[[nodiscard]] LOGFONTW FontOf(HWND hwnd);
[[nodiscard]] std::wstring MenuText(HMENU menu, UINT position);
[[nodiscard]] RECT ClientRectOf(HWND hwnd, HWND window);  // in window's client coordinates

// The screen's DPI, which the windows take.
[[nodiscard]] int ScreenDpi();
// A length in twips as pixels at that DPI, rounded to the nearest pixel.
[[nodiscard]] int Px(int twips);

// A plain top-level window of this thread to take the activation away.
class OtherWindow {
 public:
  OtherWindow();
  OtherWindow(const OtherWindow&) = delete;
  OtherWindow& operator=(const OtherWindow&) = delete;
  ~OtherWindow();
  [[nodiscard]] HWND Hwnd() const { return hwnd_; }

 private:
  HWND hwnd_ = nullptr;
};

}  // namespace lumora::testing
