// Loaded into the program under test; reads the main window's menu bar.
#include "e2e/menu_probe.h"

#include <windows.h>
// After windows.h, which it needs.
#include <winternl.h>

#include <string>

namespace {

BOOL CALLBACK FindMainWindow(HWND hwnd, LPARAM found) {
  DWORD pid = 0;
  ::GetWindowThreadProcessId(hwnd, &pid);
  wchar_t name[64] = {};
  ::GetClassNameW(hwnd, name, 64);
  if (pid == ::GetCurrentProcessId() && std::wstring(name) == L"Lumora.frmMain") {
    *reinterpret_cast<HWND*>(found) = hwnd;
    return FALSE;
  }
  return TRUE;
}

void Describe(std::wstring& out, HMENU menu, UINT position, const std::wstring& label) {
  wchar_t text[256] = {};
  ::GetMenuStringW(menu, position, text, 256, MF_BYPOSITION);
  out += label + L'|' + std::to_wstring(::GetMenuState(menu, position, MF_BYPOSITION)) + L'|' +
         text + L'\n';
}

}  // namespace

extern "C" __declspec(dllexport) DWORD WINAPI ProbeMenus(LPVOID /*unused*/) {
  HWND main = nullptr;
  ::EnumWindows(&FindMainWindow, reinterpret_cast<LPARAM>(&main));
  HMENU bar = main != nullptr ? ::GetMenu(main) : nullptr;
  if (bar == nullptr) return 1;
  std::wstring out;
  for (int top = 0; top < ::GetMenuItemCount(bar); ++top) {
    Describe(out, bar, static_cast<UINT>(top), std::to_wstring(top));
    HMENU popup = ::GetSubMenu(bar, top);
    for (int item = 0; popup != nullptr && item < ::GetMenuItemCount(popup); ++item) {
      Describe(out, popup, static_cast<UINT>(item),
               std::to_wstring(top) + L'.' + std::to_wstring(item));
    }
  }
  HANDLE mapping = ::OpenFileMappingW(FILE_MAP_WRITE, FALSE, kProbeMemoryName);
  if (mapping == nullptr) return 2;
  auto* view = static_cast<wchar_t*>(::MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, 0));
  if (view != nullptr) {
    out.resize(std::min<std::size_t>(out.size(), kProbeMemoryChars - 1));
    out.copy(view, out.size());
    view[out.size()] = L'\0';
    ::UnmapViewOfFile(view);
  }
  ::CloseHandle(mapping);
  return view != nullptr ? 0 : 3;
}

extern "C" __declspec(dllexport) DWORD WINAPI ProbeIcon(LPVOID control) {
  const auto icon =
      reinterpret_cast<HICON>(::SendMessageW(static_cast<HWND>(control), STM_GETICON, 0, 0));
  struct Known {
    const wchar_t* id;
    DWORD flag;
  };
  const Known known[] = {{IDI_HAND, MB_ICONHAND},
                         {IDI_QUESTION, MB_ICONQUESTION},
                         {IDI_EXCLAMATION, MB_ICONEXCLAMATION},
                         {IDI_ASTERISK, MB_ICONASTERISK}};
  for (const Known& k : known) {
    if (icon != nullptr && icon == ::LoadIconW(nullptr, k.id)) return k.flag;
  }
  return 0;
}

namespace {
// An entry of the GDI handle table as Wine lays it out for a 32-bit process.
#pragma pack(push, 8)
struct GdiHandleEntry {
  unsigned long long object;
  ULONG owner;
  USHORT unique;
  UCHAR type;
  UCHAR flags;
  unsigned long long user;
};
#pragma pack(pop)
constexpr int kGdiHandleCount = 0x10000;
constexpr int kPebGdiTableOffset = 0x94;  // GdiSharedHandleTable in a 32-bit PEB
}  // namespace

extern "C" __declspec(dllexport) DWORD WINAPI CountGdiObjects(LPVOID /*unused*/) {
  PROCESS_BASIC_INFORMATION basic{};
  if (::NtQueryInformationProcess(::GetCurrentProcess(), ProcessBasicInformation, &basic,
                                  sizeof basic, nullptr) != 0) {
    return 0xFFFFFFFF;
  }
  const auto* peb = reinterpret_cast<const BYTE*>(basic.PebBaseAddress);
  const auto* table = *reinterpret_cast<const GdiHandleEntry* const*>(peb + kPebGdiTableOffset);
  if (table == nullptr) return 0xFFFFFFFF;
  DWORD live = 0;
  for (int i = 0; i < kGdiHandleCount; ++i) live += table[i].type != 0 ? 1 : 0;
  return live;
}
