#include "app/toolkit/win32/platform_error.h"

#include <windows.h>

#include <string>

#include "app/toolkit/decimal_text.h"
#include "app/toolkit/runtime_error.h"
#include "app/toolkit/win32/text.h"

namespace lumora {

void ThrowPlatformError(std::u16string_view operation, unsigned long status) {
  std::u16string description(operation);
  description += u" failed";
  wchar_t* reason = nullptr;
  DWORD length = ::FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, status, 0, reinterpret_cast<wchar_t*>(&reason), 0, nullptr);
  while (length > 0 && (reason[length - 1] == L'\n' || reason[length - 1] == L'\r' ||
                        reason[length - 1] == L' ')) {
    --length;
  }
  if (length > 0) description += u": " + FromWide(reason, length);
  ::LocalFree(reason);
  description += u" (error " + DecimalText(static_cast<long>(status)) + u")";
  throw RuntimeError(kErrPlatformRefused, description);
}

void ThrowLastError(std::u16string_view operation) {
  ThrowPlatformError(operation, ::GetLastError());
}

}  // namespace lumora
