#pragma once

// lumora.exe started as a process of its own and worked through the Win32 API.
#include <windows.h>

#include <optional>
#include <string>
#include <utility>

namespace lumora::e2e {

// The path of lumora.exe, given on the command line.
[[nodiscard]] std::wstring& LumoraExe();

class LumoraProcess {
 public:
  // Starts the program and waits until its main window is shown.
  LumoraProcess();
  LumoraProcess(const LumoraProcess&) = delete;
  LumoraProcess& operator=(const LumoraProcess&) = delete;
  ~LumoraProcess();  // ends the process if it still runs

  [[nodiscard]] HWND Main() const { return main_; }
  // A control of the main window by its command identifier.
  [[nodiscard]] HWND Control(int id) const;
  // Posts to the main window, then waits until the program's thread is back
  // in a message loop.
  void Post(UINT message, WPARAM w_param = 0, LPARAM l_param = 0) const;
  // The program's open message box, once there is one.
  [[nodiscard]] HWND MessageBox() const;
  [[nodiscard]] std::optional<DWORD> WaitForExit(DWORD timeout_ms = 10000) const;

 private:
  PROCESS_INFORMATION info_{};
  HWND main_ = nullptr;
};

}  // namespace lumora::e2e
