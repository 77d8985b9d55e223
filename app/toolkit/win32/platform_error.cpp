#include "app/toolkit/win32/platform_error.h"

#include <windows.h>

#include <string>

#include "app/toolkit/decimal_text.h"
#include "app/toolkit/runtime_error.h"
#include "app/toolkit/win32/text.h"

namespace lumora {

namespace {

std::wstring SystemMessage(DWORD status) {
  wchar_t* buffer = nullptr;
  const DWORD length = ::FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, status, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::wstring text(buffer != nullptr ? buffer : L"", length);
  ::LocalFree(buffer);
  while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ')) {
    text.pop_back();
  }
  return text;
}

}  // namespace

void ThrowPlatformError(std::string_view operation, unsigned long status) {
  std::string description{operation};
  description += " failed";
  if (const std::wstring reason = SystemMessage(status); !reason.empty()) {
    description += ": ";
    description += WideToUtf8(reason);
  }
  description += " (error " + DecimalText(static_cast<long long>(status)) + ")";
  throw RuntimeError(kErrPlatformRefused, description);
}

void ThrowLastError(std::string_view operation) { ThrowPlatformError(operation, ::GetLastError()); }

}  // namespace lumora
