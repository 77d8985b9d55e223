#pragma once

// Starts lumora.exe and works it from this process through the Win32 API.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace lumora::e2e {

// Polls until the condition holds; false when the time runs out first.
template <typename Condition>
bool WaitUntil(Condition condition, DWORD timeout_ms = 5000) {
  const ULONGLONG end = ::GetTickCount64() + timeout_ms;
  while (!condition()) {
    if (::GetTickCount64() > end) return false;
    ::Sleep(10);
  }
  return true;
}

struct MessageBoxSeen {
  std::wstring title;
  std::wstring text;
};

class LumoraProcess {
 public:
  // Starts the program and waits until its main window takes input.
  LumoraProcess();
  LumoraProcess(const LumoraProcess&) = delete;
  LumoraProcess& operator=(const LumoraProcess&) = delete;
  ~LumoraProcess();  // ends the process if it still runs

  [[nodiscard]] HWND Main() const { return main_; }
  // A control of the main window by its command identifier.
  [[nodiscard]] HWND Control(int id) const;
  [[nodiscard]] static std::wstring Text(HWND hwnd);

  // Posted as the platform delivers them: a button's click, a menu item's
  // choice by its identifier, the close box.
  void Click(int id) const;
  void Choose(int id) const;
  void Close() const;
  // Real keyboard input into the main window.
  void Keys(const std::vector<WORD>& keys, WORD modifier = 0) const;

  // Waits for the program's message box and reads it; presses OK unless told not to.
  std::optional<MessageBoxSeen> WaitForMessageBox(bool answer = true) const;
  // Waits for the end; the exit code, or nothing on timeout.
  std::optional<DWORD> WaitForExit(DWORD timeout_ms = 10000) const;

 private:
  [[nodiscard]] HWND FindTopLevel(const wchar_t* class_name) const;
  void Settle() const;

  PROCESS_INFORMATION info_{};
  HWND main_ = nullptr;
};

// The path of lumora.exe given on the command line.
void SetLumoraExe(std::wstring path);
[[nodiscard]] const std::wstring& LumoraExe();

}  // namespace lumora::e2e
