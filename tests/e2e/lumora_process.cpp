#include "e2e/lumora_process.h"

#include <stdexcept>

#include "win32/harness.h"

namespace lumora::e2e {

namespace {

struct Search {
  DWORD pid;
  const wchar_t* class_name;  // a top-level window of the process; or
  int id;                     // a control of this identifier
  HWND found;
};

BOOL CALLBACK Find(HWND hwnd, LPARAM param) {
  auto* search = reinterpret_cast<Search*>(param);
  DWORD pid = 0;
  ::GetWindowThreadProcessId(hwnd, &pid);
  const bool match = search->class_name != nullptr
                         ? pid == search->pid && ::IsWindowVisible(hwnd) &&
                               testing::ClassOf(hwnd) == search->class_name
                         : ::GetDlgCtrlID(hwnd) == search->id;
  if (match) search->found = hwnd;
  return match ? FALSE : TRUE;
}

HWND WaitForWindow(DWORD pid, const wchar_t* class_name) {
  Search search{pid, class_name, 0, nullptr};
  for (int i = 0; i < 500 && search.found == nullptr; ++i) {
    ::EnumWindows(&Find, reinterpret_cast<LPARAM>(&search));
    if (search.found == nullptr) ::Sleep(10);
  }
  return search.found;
}

}  // namespace

std::wstring& LumoraExe() {
  static std::wstring path;
  return path;
}

LumoraProcess::LumoraProcess() {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  std::wstring command_line = L"\"" + LumoraExe() + L"\"";
  if (!::CreateProcessW(LumoraExe().c_str(), command_line.data(), nullptr, nullptr, FALSE, 0,
                        nullptr, nullptr, &startup, &info_) ||
      (main_ = WaitForWindow(info_.dwProcessId, L"Lumora.frmMain")) == nullptr) {
    throw std::runtime_error("lumora.exe did not start");
  }
}

LumoraProcess::~LumoraProcess() {
  if (::WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) {
    ::TerminateProcess(info_.hProcess, 99);
    ::WaitForSingleObject(info_.hProcess, 5000);
  }
  ::CloseHandle(info_.hThread);
  ::CloseHandle(info_.hProcess);
}

HWND LumoraProcess::Control(int id) const {
  Search search{0, nullptr, id, nullptr};
  ::EnumChildWindows(main_, &Find, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

void LumoraProcess::Post(UINT message, WPARAM w_param, LPARAM l_param) const {
  ::PostMessageW(main_, message, w_param, l_param);
  ::Sleep(100);
  DWORD_PTR ignored = 0;
  ::SendMessageTimeoutW(main_, WM_NULL, 0, 0, SMTO_NORMAL, 2000, &ignored);
}

HWND LumoraProcess::MessageBox() const { return WaitForWindow(info_.dwProcessId, L"#32770"); }

std::optional<DWORD> LumoraProcess::WaitForExit(DWORD timeout_ms) const {
  DWORD code = 0;
  if (::WaitForSingleObject(info_.hProcess, timeout_ms) != WAIT_OBJECT_0 ||
      !::GetExitCodeProcess(info_.hProcess, &code)) {
    return std::nullopt;
  }
  return code;
}

}  // namespace lumora::e2e
