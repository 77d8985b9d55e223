#pragma once

// Drives a running lumora.exe from another process through the Win32 API.
#include <windows.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "app/toolkit/window_ops.h"

namespace lumora::e2e {

inline const std::wstring kAdvancedKey =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced";
inline const std::wstring kStoreKey = L"Software\\NorvaleSoft\\Lumora";

// The raw registry, for presetting and checking.
struct RawValue {
  DWORD type = 0;
  std::vector<BYTE> data;
  friend bool operator==(const RawValue&, const RawValue&) = default;
};
void PutValue(const std::wstring& key, const wchar_t* name, DWORD type,
              const std::vector<BYTE>& data);
void PutDword(const std::wstring& key, const wchar_t* name, DWORD value);
void PutText(const std::wstring& key, const wchar_t* name, const std::wstring& text);
std::optional<RawValue> GetValue(const std::wstring& key, const wchar_t* name);
std::optional<DWORD> GetDword(const std::wstring& key, const wchar_t* name);
std::optional<std::wstring> GetText(const std::wstring& key, const wchar_t* name);
std::map<std::wstring, RawValue> Snapshot(const std::wstring& key);
bool KeyExists(const std::wstring& key);
void DeleteTree(const std::wstring& key);

// Polls until the condition holds; false when the time runs out first.
template <typename Condition>
bool WaitUntil(Condition condition, DWORD timeoutMs, DWORD pollMs = 10) {
  const ULONGLONG end = ::GetTickCount64() + timeoutMs;
  while (!condition()) {
    if (::GetTickCount64() > end) return false;
    ::Sleep(pollMs);
  }
  return true;
}

struct MessageBoxSeen {
  std::wstring title;
  std::wstring text;
  // The flag of the system icon shown (16 error, 64 information), 0 for none.
  DWORD iconFlag = 0;
};

struct MenuEntry {
  UINT state = 0;
  std::wstring text;
};

class LumoraProcess {
 public:
  // Starts the program and waits until its main window takes input.
  explicit LumoraProcess(const std::wstring& exe);
  LumoraProcess(const LumoraProcess&) = delete;
  LumoraProcess& operator=(const LumoraProcess&) = delete;
  ~LumoraProcess();  // ends the process if it still runs

  [[nodiscard]] HWND Main() const { return main_; }
  [[nodiscard]] HANDLE Process() const { return info_.hProcess; }
  [[nodiscard]] HWND MessageBoxWindow() const { return FindTopLevel(L"#32770"); }
  // What the process holds: GDI objects (counted inside it), kernel handles
  // (from the system's handle list) and windows.
  [[nodiscard]] DWORD GdiObjects() { return CallProbe("CountGdiObjects", nullptr); }
  [[nodiscard]] DWORD KernelHandles() const;
  [[nodiscard]] DWORD Windows() const;
  [[nodiscard]] HWND About() const;                   // nullptr when not open
  [[nodiscard]] HWND Control(Element element) const;  // in the main or the about window
  [[nodiscard]] std::wstring Text(HWND hwnd) const;
  [[nodiscard]] std::wstring Text(Element element) const { return Text(Control(element)); }
  [[nodiscard]] LRESULT CheckState(Element element) const;
  [[nodiscard]] LONG Style(Element element) const;
  [[nodiscard]] LONG ExStyle(Element element) const;
  [[nodiscard]] RECT ScreenRect(Element element) const;
  [[nodiscard]] HWND Focus() const;

  // Menus, read from inside the process: by their Element.
  [[nodiscard]] std::map<Element, MenuEntry> Menus();

  // Clicks a button, chooses a menu item: posted, as the toolkit delivers them.
  void Click(Element element) const;
  void Choose(Element item) const;
  void Close(HWND window) const;  // the close box

  // Real keyboard input into the foreground window.
  void Keys(const std::vector<WORD>& keys, bool ctrl = false, bool alt = false) const;

  // Waits for the program's message box, reads it and presses OK.
  std::optional<MessageBoxSeen> AnswerMessageBox(DWORD timeoutMs = 5000);
  [[nodiscard]] bool HasMessageBox() const;
  // Waits until the about window is open (or closed).
  bool WaitForAbout(bool open, DWORD timeoutMs = 5000) const;
  // Lets the program handle everything posted so far.
  void Settle() const;

  // Waits for the end; returns the exit code, or nothing on timeout.
  std::optional<DWORD> WaitForExit(DWORD timeoutMs = 10000);

 private:
  [[nodiscard]] HWND FindTopLevel(const wchar_t* className) const;
  void InjectProbe();
  // Runs an export of the probe DLL in the program; returns its result.
  DWORD CallProbe(const char* entryName, void* parameter);

  PROCESS_INFORMATION info_{};
  HWND main_ = nullptr;
  HMODULE remoteProbe_ = nullptr;
};

// The path of lumora.exe given on the command line.
const std::wstring& LumoraExe();
void SetLumoraExe(std::wstring path);

}  // namespace lumora::e2e
