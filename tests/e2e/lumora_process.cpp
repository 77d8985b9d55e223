#include "e2e/lumora_process.h"

#include <stdexcept>

#include "win32/harness.h"

namespace lumora::e2e {

namespace {

struct Search {
  DWORD pid;
  const wchar_t* class_name;
  int id;
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

bool WaitUntil(const auto& condition) {
  for (int i = 0; i < 500 && !condition(); ++i) ::Sleep(10);
  return condition();
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
      !WaitUntil([this] { return (main_ = FindTopLevel(L"Lumora.frmMain")) != nullptr; })) {
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

HWND LumoraProcess::FindTopLevel(const wchar_t* class_name) const {
  Search search{info_.dwProcessId, class_name, 0, nullptr};
  ::EnumWindows(&Find, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND LumoraProcess::Control(int id) const {
  Search search{0, nullptr, id, nullptr};
  ::EnumChildWindows(main_, &Find, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

void LumoraProcess::Post(UINT message, WPARAM w_param, LPARAM l_param) const {
  ::PostMessageW(main_, message, w_param, l_param);
  // Then make sure the program's thread is back in a message loop.
  ::Sleep(100);
  DWORD_PTR ignored = 0;
  ::SendMessageTimeoutW(main_, WM_NULL, 0, 0, SMTO_NORMAL, 2000, &ignored);
}

std::optional<std::pair<std::wstring, std::wstring>> LumoraProcess::MessageBox() const {
  HWND box = nullptr;
  if (!WaitUntil([&] { return (box = FindTopLevel(L"#32770")) != nullptr; })) return std::nullopt;
  ::Sleep(100);
  return std::pair{testing::TextOf(box), testing::TextOf(::GetDlgItem(box, 0xFFFF))};
}

std::optional<DWORD> LumoraProcess::WaitForExit(DWORD timeout_ms) const {
  DWORD code = 0;
  if (::WaitForSingleObject(info_.hProcess, timeout_ms) != WAIT_OBJECT_0 ||
      !::GetExitCodeProcess(info_.hProcess, &code)) {
    return std::nullopt;
  }
  return code;
}

}  // namespace lumora::e2e
