// What Windows itself makes of signed files, for the release tests: prints
// WinVerifyTrust's answer for each file named.
#include <windows.h>
// The trust API needs the base definitions first.
#include <softpub.h>
#include <wintrust.h>

#include <cstdio>

// The entry point, with the name and linkage the runtime calls it by.
// NOLINTNEXTLINE(readability-identifier-naming,misc-use-internal-linkage)
int wmain(int argc, wchar_t** argv) {
  for (int i = 1; i < argc; ++i) {
    WINTRUST_FILE_INFO file{};
    file.cbStruct = sizeof file;
    file.pcwszFilePath = argv[i];
    WINTRUST_DATA data{};
    data.cbStruct = sizeof data;
    data.dwUIChoice = WTD_UI_NONE;
    data.fdwRevocationChecks = WTD_REVOKE_NONE;  // offline: no address is ever contacted
    data.dwUnionChoice = WTD_CHOICE_FILE;
    data.pFile = &file;
    data.dwStateAction = WTD_STATEACTION_VERIFY;
    data.dwProvFlags = WTD_CACHE_ONLY_URL_RETRIEVAL;
    GUID action = WINTRUST_ACTION_GENERIC_VERIFY_V2;
    std::printf("%ls 0x%08lx\n", argv[i], ::WinVerifyTrust(nullptr, &action, &data));
    data.dwStateAction = WTD_STATEACTION_CLOSE;
    ::WinVerifyTrust(nullptr, &action, &data);
  }
  return 0;
}
