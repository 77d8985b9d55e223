// What Windows itself makes of a signed program, for the release tests:
//   trust_check verify ROOT.der FILE...  WinVerifyTrust's answer for each file,
//                                        with ROOT trusted by this user meanwhile
//   trust_check start EXE                whether EXE shows its main window, and
//                                        its exit status once that is closed
#include <windows.h>
// The trust API needs the base definitions first.
#include <softpub.h>
#include <wincrypt.h>
#include <wintrust.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

LONG Verify(const wchar_t* file) {
  WINTRUST_FILE_INFO info{};
  info.cbStruct = sizeof info;
  info.pcwszFilePath = file;
  WINTRUST_DATA data{};
  data.cbStruct = sizeof data;
  data.dwUIChoice = WTD_UI_NONE;
  data.fdwRevocationChecks = WTD_REVOKE_NONE;  // offline: no address is ever contacted
  data.dwUnionChoice = WTD_CHOICE_FILE;
  data.pFile = &info;
  data.dwStateAction = WTD_STATEACTION_VERIFY;
  data.dwProvFlags = WTD_CACHE_ONLY_URL_RETRIEVAL;
  GUID action = WINTRUST_ACTION_GENERIC_VERIFY_V2;
  const LONG status = ::WinVerifyTrust(nullptr, &action, &data);
  data.dwStateAction = WTD_STATEACTION_CLOSE;
  ::WinVerifyTrust(nullptr, &action, &data);
  return status;
}

int VerifyAll(const wchar_t* root_file, int count, wchar_t** files) {
  std::ifstream in(root_file, std::ios::binary);
  const std::vector<BYTE> der{std::istreambuf_iterator<char>(in), {}};
  HCERTSTORE roots =
      ::CertOpenStore(CERT_STORE_PROV_SYSTEM_W, 0, 0, CERT_SYSTEM_STORE_CURRENT_USER, L"Root");
  PCCERT_CONTEXT root = nullptr;
  if (roots == nullptr || !::CertAddEncodedCertificateToStore(
                              roots, X509_ASN_ENCODING, der.data(), static_cast<DWORD>(der.size()),
                              CERT_STORE_ADD_REPLACE_EXISTING, &root)) {
    std::printf("cannot trust the root: error %lu\n", ::GetLastError());
    return 1;
  }
  for (int i = 0; i < count; ++i) std::printf("%ls 0x%08lx\n", files[i], Verify(files[i]));
  ::CertDeleteCertificateFromStore(root);  // the prefix as it was
  ::CertCloseStore(roots, 0);
  return 0;
}

struct Found {
  DWORD process;
  HWND window;
};

BOOL CALLBACK FindMain(HWND hwnd, LPARAM found) {
  auto* wanted = reinterpret_cast<Found*>(found);
  DWORD process = 0;
  wchar_t name[32] = {};
  ::GetWindowThreadProcessId(hwnd, &process);
  ::GetClassNameW(hwnd, name, 32);
  if (process != wanted->process || std::wstring(name) != L"Lumora.frmMain" ||
      !::IsWindowVisible(hwnd)) {
    return TRUE;
  }
  wanted->window = hwnd;
  return FALSE;
}

int Start(const wchar_t* exe) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  std::wstring command_line = L"\"" + std::wstring(exe) + L"\"";
  if (!::CreateProcessW(exe, command_line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
    std::printf("not started: error %lu\n", ::GetLastError());
    return 1;
  }
  Found found{process.dwProcessId, nullptr};
  for (int i = 0; i < 1500 && found.window == nullptr; ++i) {
    if (::WaitForSingleObject(process.hProcess, 10) != WAIT_TIMEOUT) break;
    ::EnumWindows(&FindMain, reinterpret_cast<LPARAM>(&found));
  }
  DWORD status = STILL_ACTIVE;
  if (found.window != nullptr) ::PostMessageW(found.window, WM_CLOSE, 0, 0);
  if (::WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0) {
    ::TerminateProcess(process.hProcess, 99);
  }
  ::GetExitCodeProcess(process.hProcess, &status);
  std::printf("%s, ended with %lu\n", found.window != nullptr ? "main window shown" : "no window",
              status);
  return 0;
}

}  // namespace

// The entry point takes the name the runtime calls.
// NOLINTNEXTLINE(readability-identifier-naming)
int wmain(int argc, wchar_t** argv) {
  const std::wstring mode = argc > 2 ? argv[1] : L"";
  if (mode == L"verify" && argc > 3) return VerifyAll(argv[2], argc - 3, argv + 3);
  if (mode == L"start") return Start(argv[2]);
  std::printf("usage: trust_check verify ROOT.der FILE... | start EXE\n");
  return 2;
}
