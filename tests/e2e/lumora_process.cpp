#include "e2e/lumora_process.h"

#include <stdexcept>

#include "app/window_descriptions.h"
#include "e2e/menu_probe.h"

namespace lumora::e2e {

namespace {

std::wstring& ExePath() {
  static std::wstring path;
  return path;
}

[[noreturn]] void Broken(const std::string& what) { throw std::runtime_error(what); }

struct Search {
  DWORD pid;
  const wchar_t* className;
  HWND found;
};

BOOL CALLBACK FindWindowOf(HWND hwnd, LPARAM param) {
  auto* search = reinterpret_cast<Search*>(param);
  DWORD pid = 0;
  ::GetWindowThreadProcessId(hwnd, &pid);
  wchar_t name[64] = {};
  ::GetClassNameW(hwnd, name, 64);
  if (pid == search->pid && ::IsWindowVisible(hwnd) && std::wstring(name) == search->className) {
    search->found = hwnd;
    return FALSE;
  }
  return TRUE;
}

struct ById {
  int id;
  HWND found;
};

BOOL CALLBACK FindChildById(HWND hwnd, LPARAM param) {
  auto* search = reinterpret_cast<ById*>(param);
  if (::GetDlgCtrlID(hwnd) == search->id) {
    search->found = hwnd;
    return FALSE;
  }
  return TRUE;
}

// The probe DLL lies beside this driver.
std::wstring ProbePath() {
  wchar_t self[MAX_PATH] = {};
  ::GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring path = self;
  return path.substr(0, path.find_last_of(L'\\') + 1) + L"lumora_menu_probe.dll";
}

}  // namespace

const std::wstring& LumoraExe() { return ExePath(); }
void SetLumoraExe(std::wstring path) {
  // CTest hands over a Unix path; Wine sees the root as drive Z:.
  if (!path.empty() && path.front() == L'/') {
    for (wchar_t& c : path) c = c == L'/' ? L'\\' : c;
    path = L"Z:" + path;
  }
  ExePath() = std::move(path);
}

void PutValue(const std::wstring& key, const wchar_t* name, DWORD type,
              const std::vector<BYTE>& data) {
  HKEY handle = nullptr;
  if (::RegCreateKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                        &handle, nullptr) != ERROR_SUCCESS) {
    Broken("cannot create a test key");
  }
  ::RegSetValueExW(handle, name, 0, type, data.data(), static_cast<DWORD>(data.size()));
  ::RegCloseKey(handle);
}

void PutDword(const std::wstring& key, const wchar_t* name, DWORD value) {
  const auto* bytes = reinterpret_cast<const BYTE*>(&value);
  PutValue(key, name, REG_DWORD, {bytes, bytes + sizeof value});
}

void PutText(const std::wstring& key, const wchar_t* name, const std::wstring& text) {
  const auto* bytes = reinterpret_cast<const BYTE*>(text.c_str());
  PutValue(key, name, REG_SZ, {bytes, bytes + (text.size() + 1) * sizeof(wchar_t)});
}

std::optional<RawValue> GetValue(const std::wstring& key, const wchar_t* name) {
  HKEY handle = nullptr;
  if (::RegOpenKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, KEY_QUERY_VALUE, &handle) !=
      ERROR_SUCCESS) {
    return std::nullopt;
  }
  RawValue value;
  DWORD size = 0;
  LONG status = ::RegQueryValueExW(handle, name, nullptr, &value.type, nullptr, &size);
  if (status == ERROR_SUCCESS) {
    value.data.resize(size);
    status = ::RegQueryValueExW(handle, name, nullptr, &value.type, value.data.data(), &size);
  }
  ::RegCloseKey(handle);
  if (status != ERROR_SUCCESS) return std::nullopt;
  return value;
}

std::optional<DWORD> GetDword(const std::wstring& key, const wchar_t* name) {
  const auto value = GetValue(key, name);
  if (!value || value->type != REG_DWORD || value->data.size() != sizeof(DWORD)) {
    return std::nullopt;
  }
  DWORD number = 0;
  std::copy(value->data.begin(), value->data.end(), reinterpret_cast<BYTE*>(&number));
  return number;
}

std::optional<std::wstring> GetText(const std::wstring& key, const wchar_t* name) {
  const auto value = GetValue(key, name);
  if (!value || value->type != REG_SZ) return std::nullopt;
  std::wstring text(value->data.size() / sizeof(wchar_t), L'\0');
  std::copy(value->data.begin(), value->data.begin() + static_cast<std::ptrdiff_t>(text.size() * 2),
            reinterpret_cast<BYTE*>(text.data()));
  while (!text.empty() && text.back() == L'\0') text.pop_back();
  return text;
}

std::map<std::wstring, RawValue> Snapshot(const std::wstring& key) {
  std::map<std::wstring, RawValue> values;
  HKEY handle = nullptr;
  if (::RegOpenKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS) {
    return values;
  }
  for (DWORD i = 0;; ++i) {
    wchar_t name[256];
    DWORD length = 256;
    if (::RegEnumValueW(handle, i, name, &length, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS) {
      break;
    }
    values[name] = GetValue(key, name).value_or(RawValue{});
  }
  ::RegCloseKey(handle);
  return values;
}

bool KeyExists(const std::wstring& key) {
  HKEY handle = nullptr;
  if (::RegOpenKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS) {
    return false;
  }
  ::RegCloseKey(handle);
  return true;
}

void DeleteTree(const std::wstring& key) { ::RegDeleteTreeW(HKEY_CURRENT_USER, key.c_str()); }

LumoraProcess::LumoraProcess(const std::wstring& exe) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  std::wstring commandLine = L"\"" + exe + L"\"";
  if (!::CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &info_)) {
    Broken("cannot start lumora.exe");
  }
  ::WaitForInputIdle(info_.hProcess, 10000);
  if (!WaitUntil([this] { return (main_ = FindTopLevel(L"Lumora.frmMain")) != nullptr; }, 10000)) {
    Broken("the main window did not appear");
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

HWND LumoraProcess::FindTopLevel(const wchar_t* className) const {
  Search search{info_.dwProcessId, className, nullptr};
  ::EnumWindows(&FindWindowOf, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND LumoraProcess::About() const { return FindTopLevel(L"Lumora.frmAbout"); }

HWND LumoraProcess::Control(Element element) const {
  if (element == Element::frmMain) return main_;
  if (element == Element::frmAbout) return About();
  HWND parent = FindElement(kAboutForm, element) != nullptr ? About() : main_;
  ById search{ControlId(element), nullptr};
  if (parent != nullptr)
    ::EnumChildWindows(parent, &FindChildById, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::wstring LumoraProcess::Text(HWND hwnd) const {
  // Asked of the control itself: an edit box keeps its text to itself.
  wchar_t text[1024] = {};
  DWORD_PTR copied = 0;
  ::SendMessageTimeoutW(hwnd, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_NORMAL, 2000,
                        &copied);
  return text;
}

LRESULT LumoraProcess::CheckState(Element element) const {
  return ::SendMessageW(Control(element), BM_GETCHECK, 0, 0);
}

LONG LumoraProcess::Style(Element element) const {
  return ::GetWindowLongW(Control(element), GWL_STYLE);
}

LONG LumoraProcess::ExStyle(Element element) const {
  return ::GetWindowLongW(Control(element), GWL_EXSTYLE);
}

RECT LumoraProcess::ScreenRect(Element element) const {
  RECT rect{};
  ::GetWindowRect(Control(element), &rect);
  return rect;
}

HWND LumoraProcess::Focus() const {
  GUITHREADINFO gui{};
  gui.cbSize = sizeof gui;
  ::GetGUIThreadInfo(info_.dwThreadId, &gui);
  return gui.hwndFocus;
}

void LumoraProcess::InjectProbe() {
  if (remoteProbe_ != nullptr) return;
  const std::wstring dll = ProbePath();
  const std::size_t bytes = (dll.size() + 1) * sizeof(wchar_t);
  void* remote = ::VirtualAllocEx(info_.hProcess, nullptr, bytes, MEM_COMMIT, PAGE_READWRITE);
  if (remote == nullptr ||
      !::WriteProcessMemory(info_.hProcess, remote, dll.c_str(), bytes, nullptr)) {
    Broken("cannot write into lumora.exe");
  }
  auto* loadLibrary = reinterpret_cast<LPTHREAD_START_ROUTINE>(reinterpret_cast<void*>(
      ::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "LoadLibraryW")));
  HANDLE thread = ::CreateRemoteThread(info_.hProcess, nullptr, 0, loadLibrary, remote, 0, nullptr);
  if (thread == nullptr) Broken("cannot start a thread in lumora.exe");
  ::WaitForSingleObject(thread, 10000);
  DWORD module = 0;
  ::GetExitCodeThread(thread, &module);
  ::CloseHandle(thread);
  ::VirtualFreeEx(info_.hProcess, remote, 0, MEM_RELEASE);
  remoteProbe_ = reinterpret_cast<HMODULE>(static_cast<ULONG_PTR>(module));
  if (remoteProbe_ == nullptr) Broken("the probe did not load");
}

DWORD LumoraProcess::CallProbe(const char* entryName, void* parameter) {
  InjectProbe();
  // The export lies at the same offset in both copies of the DLL.
  HMODULE local = ::LoadLibraryW(ProbePath().c_str());
  auto* entry = reinterpret_cast<BYTE*>(::GetProcAddress(local, entryName));
  if (entry == nullptr) Broken("the probe has no such entry");
  auto* remoteEntry = reinterpret_cast<LPTHREAD_START_ROUTINE>(
      reinterpret_cast<BYTE*>(remoteProbe_) + (entry - reinterpret_cast<BYTE*>(local)));
  HANDLE thread =
      ::CreateRemoteThread(info_.hProcess, nullptr, 0, remoteEntry, parameter, 0, nullptr);
  if (thread == nullptr) Broken("cannot start the probe");
  ::WaitForSingleObject(thread, 10000);
  DWORD result = 0xFFFFFFFF;
  ::GetExitCodeThread(thread, &result);
  ::CloseHandle(thread);
  return result;
}

std::map<Element, MenuEntry> LumoraProcess::Menus() {
  HANDLE mapping = ::CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                        kProbeMemoryChars * sizeof(wchar_t), kProbeMemoryName);
  if (mapping == nullptr) Broken("no shared memory for the probe");
  const DWORD result = CallProbe(kProbeEntryName, nullptr);

  std::map<Element, MenuEntry> menus;
  const auto* view = static_cast<const wchar_t*>(::MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0));
  const std::wstring dump = view != nullptr && result == 0 ? std::wstring(view) : std::wstring();
  if (view != nullptr) ::UnmapViewOfFile(view);
  ::CloseHandle(mapping);
  // Lines follow the menu table's order.
  std::size_t line = 0;
  for (const MenuDesc& desc : kMainMenu) {
    const std::size_t end = dump.find(L'\n', line);
    if (end == std::wstring::npos) break;
    const std::wstring row = dump.substr(line, end - line);
    line = end + 1;
    const std::size_t bar1 = row.find(L'|');
    const std::size_t bar2 = row.find(L'|', bar1 + 1);
    menus[desc.item] = {static_cast<UINT>(std::stoul(row.substr(bar1 + 1, bar2 - bar1 - 1))),
                        row.substr(bar2 + 1)};
  }
  return menus;
}

void LumoraProcess::Click(Element element) const {
  HWND button = Control(element);
  HWND window = ::GetAncestor(button, GA_ROOT);
  ::PostMessageW(window, WM_COMMAND, MAKEWPARAM(ControlId(element), BN_CLICKED),
                 reinterpret_cast<LPARAM>(button));
}

void LumoraProcess::Choose(Element item) const {
  ::PostMessageW(main_, WM_COMMAND, MAKEWPARAM(ControlId(item), 0), 0);
}

void LumoraProcess::Close(HWND window) const { ::PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0); }

void LumoraProcess::Keys(const std::vector<WORD>& keys, bool ctrl, bool alt) const {
  std::vector<INPUT> inputs;
  const auto key = [&inputs](WORD vk, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    inputs.push_back(input);
  };
  if (ctrl) key(VK_CONTROL, false);
  if (alt) key(VK_MENU, false);
  for (WORD vk : keys) {
    key(vk, false);
    key(vk, true);
  }
  if (alt) key(VK_MENU, true);
  if (ctrl) key(VK_CONTROL, true);
  ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  Settle();
}

bool LumoraProcess::HasMessageBox() const { return FindTopLevel(L"#32770") != nullptr; }

std::optional<MessageBoxSeen> LumoraProcess::AnswerMessageBox(DWORD timeoutMs) {
  HWND box = nullptr;
  if (!WaitUntil([&] { return (box = FindTopLevel(L"#32770")) != nullptr; }, timeoutMs)) {
    return std::nullopt;
  }
  Settle();
  MessageBoxSeen seen;
  seen.title = Text(box);
  // The message box's text and icon controls.
  seen.text = Text(::GetDlgItem(box, 0xFFFF));
  HWND icon = ::GetDlgItem(box, 0x0440);
  if (icon != nullptr && ::IsWindowVisible(icon))
    seen.iconFlag = CallProbe(kProbeIconEntryName, icon);
  ::PostMessageW(box, WM_COMMAND, IDOK, 0);
  WaitUntil([&] { return !::IsWindow(box); }, timeoutMs);
  Settle();
  return seen;
}

bool LumoraProcess::WaitForAbout(bool open, DWORD timeoutMs) const {
  const bool reached = WaitUntil([&] { return (About() != nullptr) == open; }, timeoutMs);
  Settle();
  return reached;
}

void LumoraProcess::Settle() const {
  // Posted messages have no reply: give them a moment, then make sure the
  // program's thread is back in a message loop.
  ::Sleep(150);
  DWORD_PTR ignored = 0;
  ::SendMessageTimeoutW(main_, WM_NULL, 0, 0, SMTO_NORMAL, 2000, &ignored);
}

std::optional<DWORD> LumoraProcess::WaitForExit(DWORD timeoutMs) {
  if (::WaitForSingleObject(info_.hProcess, timeoutMs) != WAIT_OBJECT_0) return std::nullopt;
  DWORD code = 0;
  ::GetExitCodeProcess(info_.hProcess, &code);
  return code;
}

namespace {
struct SystemHandle {
  USHORT pid;
  USHORT creatorBackTrace;
  UCHAR objectType;
  UCHAR attributes;
  USHORT handle;
  PVOID object;
  ACCESS_MASK access;
};
using QuerySystemInformation = LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG);
constexpr ULONG kSystemHandleInformation = 16;

BOOL CALLBACK CountChild(HWND, LPARAM count) {
  ++*reinterpret_cast<DWORD*>(count);
  return TRUE;
}
struct WindowCount {
  DWORD pid;
  DWORD count;
};
BOOL CALLBACK CountTopLevel(HWND hwnd, LPARAM param) {
  auto* windows = reinterpret_cast<WindowCount*>(param);
  DWORD pid = 0;
  ::GetWindowThreadProcessId(hwnd, &pid);
  if (pid == windows->pid) {
    ++windows->count;
    ::EnumChildWindows(hwnd, &CountChild, reinterpret_cast<LPARAM>(&windows->count));
  }
  return TRUE;
}
}  // namespace

DWORD LumoraProcess::KernelHandles() const {
  const auto query = reinterpret_cast<QuerySystemInformation>(reinterpret_cast<void*>(
      ::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "NtQuerySystemInformation")));
  std::vector<BYTE> buffer(1 << 22);
  ULONG returned = 0;
  if (query == nullptr || query(kSystemHandleInformation, buffer.data(),
                                static_cast<ULONG>(buffer.size()), &returned) != 0) {
    return 0xFFFFFFFF;
  }
  const ULONG total = *reinterpret_cast<const ULONG*>(buffer.data());
  const auto* handles = reinterpret_cast<const SystemHandle*>(buffer.data() + sizeof(ULONG));
  DWORD mine = 0;
  for (ULONG i = 0; i < total; ++i) mine += handles[i].pid == info_.dwProcessId ? 1 : 0;
  return mine;
}

DWORD LumoraProcess::Windows() const {
  WindowCount windows{info_.dwProcessId, 0};
  ::EnumWindows(&CountTopLevel, reinterpret_cast<LPARAM>(&windows));
  return windows.count;
}

}  // namespace lumora::e2e
