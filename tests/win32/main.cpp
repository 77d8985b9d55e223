// The Windows tests. With --dpi=N they run again in a child process while
// the test prefix's screen is set to N dots per inch, then set back.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/toolkit/win32/error_handler.h"

namespace {

constexpr wchar_t kDesktopKey[] = L"Control Panel\\Desktop";

int RunAtDpi(DWORD dpi) {
  HKEY key = nullptr;
  if (::RegCreateKeyExW(HKEY_CURRENT_USER, kDesktopKey, 0, nullptr, 0,
                        KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS) {
    return 2;
  }
  DWORD before = 0;
  DWORD size = sizeof before;
  const bool had = ::RegQueryValueExW(key, L"LogPixels", nullptr, nullptr,
                                      reinterpret_cast<BYTE*>(&before), &size) == ERROR_SUCCESS;
  ::RegSetValueExW(key, L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi),
                   sizeof dpi);

  std::wstring command = ::GetCommandLineW();
  command += L" --child-dpi=" + std::to_wstring(dpi);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION child{};
  DWORD code = 3;
  if (::CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                       &startup, &child)) {
    ::WaitForSingleObject(child.hProcess, INFINITE);
    ::GetExitCodeProcess(child.hProcess, &code);
    ::CloseHandle(child.hThread);
    ::CloseHandle(child.hProcess);
  }
  if (had) {
    ::RegSetValueExW(key, L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&before),
                     sizeof before);
  } else {
    ::RegDeleteValueW(key, L"LogPixels");
  }
  ::RegCloseKey(key);
  return static_cast<int>(code);
}

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  const char* rerun_at = nullptr;
  for (int i = 1; i < argc; ++i) {
    if (std::strncmp(argv[i], "--child-dpi=", 12) == 0) {
      HDC screen = ::GetDC(nullptr);
      const int dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
      ::ReleaseDC(nullptr, screen);
      if (dpi != std::atoi(argv[i] + 12)) {
        std::fprintf(stderr, "the screen is at %d DPI, not %s\n", dpi, argv[i] + 12);
        return 4;
      }
      rerun_at = nullptr;
      break;
    }
    if (std::strncmp(argv[i], "--dpi=", 6) == 0) rerun_at = argv[i] + 6;
  }
  if (rerun_at != nullptr) return RunAtDpi(std::strtoul(rerun_at, nullptr, 10));
  lumora::SetApplicationTitle(L"Lumora");
  return RUN_ALL_TESTS();
}
