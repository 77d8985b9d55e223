#pragma once

// lumora.exe started as a process of its own and worked through the Win32 API.
#include <windows.h>

#include <optional>
#include <string>

namespace lumora::e2e {

// The path of lumora.exe, given on the command line.
[[nodiscard]] std::wstring& LumoraExe();

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
  // Posts a message to the main window and lets the program handle it.
  void Post(UINT message, WPARAM w_param = 0, LPARAM l_param = 0) const;
  // The program's message box once it is open: its title and text.
  [[nodiscard]] std::optional<std::pair<std::wstring, std::wstring>> MessageBox() const;
  [[nodiscard]] std::optional<DWORD> WaitForExit(DWORD timeout_ms = 10000) const;

 private:
  [[nodiscard]] HWND FindTopLevel(const wchar_t* class_name) const;

  PROCESS_INFORMATION info_{};
  HWND main_ = nullptr;
};

}  // namespace lumora::e2e
