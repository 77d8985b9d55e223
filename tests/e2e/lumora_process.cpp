#include "e2e/lumora_process.h"

#include <stdexcept>
#include <utility>

namespace lumora::e2e {

namespace {

std::wstring& ExePath() {
  static std::wstring path;
  return path;
}

struct Search {
  DWORD pid;
  const wchar_t* class_name;
  HWND found;
};

BOOL CALLBACK FindWindowOf(HWND hwnd, LPARAM param) {
  auto* search = reinterpret_cast<Search*>(param);
  DWORD pid = 0;
  ::GetWindowThreadProcessId(hwnd, &pid);
  wchar_t name[64] = {};
  ::GetClassNameW(hwnd, name, 64);
  if (pid == search->pid && ::IsWindowVisible(hwnd) && std::wstring(name) == search->class_name) {
    search->found = hwnd;
    return FALSE;
  }
  return TRUE;
}

struct ById {
  int id;
  HWND found;
};

// Controls stand inside frames and panels; this walks them all.
BOOL CALLBACK FindChildById(HWND hwnd, LPARAM param) {
  auto* search = reinterpret_cast<ById*>(param);
  if (::GetDlgCtrlID(hwnd) != search->id) return TRUE;
  search->found = hwnd;
  return FALSE;
}

}  // namespace

void SetLumoraExe(std::wstring path) { ExePath() = std::move(path); }

const std::wstring& LumoraExe() { return ExePath(); }

LumoraProcess::LumoraProcess() {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  std::wstring command_line = L"\"" + ExePath() + L"\"";
  if (!::CreateProcessW(ExePath().c_str(), command_line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &info_)) {
    throw std::runtime_error("cannot start lumora.exe");
  }
  ::WaitForInputIdle(info_.hProcess, 10000);
  if (!WaitUntil([this] { return (main_ = FindTopLevel(L"Lumora.frmMain")) != nullptr; })) {
    throw std::runtime_error("the main window did not appear");
  }
  Settle();
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
  Search search{info_.dwProcessId, class_name, nullptr};
  ::EnumWindows(&FindWindowOf, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND LumoraProcess::Control(int id) const {
  ById search{id, nullptr};
  ::EnumChildWindows(main_, &FindChildById, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::wstring LumoraProcess::Text(HWND hwnd) {
  // Asked of the window itself: an edit box keeps its text to itself.
  wchar_t text[1024] = {};
  DWORD_PTR copied = 0;
  ::SendMessageTimeoutW(hwnd, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_NORMAL, 2000,
                        &copied);
  return text;
}

void LumoraProcess::Click(int id) const {
  ::PostMessageW(main_, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(Control(id)));
  Settle();
}

void LumoraProcess::Choose(int id) const {
  ::PostMessageW(main_, WM_COMMAND, MAKEWPARAM(id, 0), 0);
  Settle();
}

void LumoraProcess::Close() const { ::PostMessageW(main_, WM_SYSCOMMAND, SC_CLOSE, 0); }

void LumoraProcess::Keys(const std::vector<WORD>& keys, WORD modifier) const {
  ::SetForegroundWindow(main_);
  std::vector<INPUT> inputs;
  const auto key = [&inputs](WORD vk, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    inputs.push_back(input);
  };
  if (modifier != 0) key(modifier, false);
  for (const WORD vk : keys) {
    key(vk, false);
    key(vk, true);
  }
  if (modifier != 0) key(modifier, true);
  ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  Settle();
}

std::optional<MessageBoxSeen> LumoraProcess::WaitForMessageBox(bool answer) const {
  HWND box = nullptr;
  if (!WaitUntil([&] { return (box = FindTopLevel(L"#32770")) != nullptr; })) return std::nullopt;
  Settle();
  MessageBoxSeen seen{Text(box), Text(::GetDlgItem(box, 0xFFFF))};
  if (answer) {
    ::PostMessageW(box, WM_COMMAND, IDOK, 0);
    WaitUntil([&] { return !::IsWindow(box); });
    Settle();
  }
  return seen;
}

std::optional<DWORD> LumoraProcess::WaitForExit(DWORD timeout_ms) const {
  if (::WaitForSingleObject(info_.hProcess, timeout_ms) != WAIT_OBJECT_0) return std::nullopt;
  DWORD code = 0;
  ::GetExitCodeProcess(info_.hProcess, &code);
  return code;
}

void LumoraProcess::Settle() const {
  // Posted messages have no reply: give them a moment, then make sure the
  // program's thread is back in a message loop.
  ::Sleep(100);
  DWORD_PTR ignored = 0;
  ::SendMessageTimeoutW(main_, WM_NULL, 0, 0, SMTO_NORMAL, 2000, &ignored);
}

}  // namespace lumora::e2e
