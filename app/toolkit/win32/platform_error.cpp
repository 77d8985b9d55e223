#include "app/toolkit/win32/platform_error.h"

#include <windows.h>

#include <string>

#include "app/toolkit/decimal_text.h"
#include "app/toolkit/runtime_error.h"
#include "app/toolkit/win32/text.h"
#include "app/toolkit/win32/unique_handle.h"

namespace lumora {

void ThrowPlatformError(std::u16string_view operation, unsigned long status) {
  std::u16string description(operation);
  description += u" failed";
  // Owned at once: building the text below may throw.
  UniqueLocalText reason;
  DWORD length = ::FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, status, 0, reinterpret_cast<wchar_t*>(reason.put()), 0, nullptr);
  const wchar_t* text = reason.get();
  while (length > 0 &&
         (text[length - 1] == L'\n' || text[length - 1] == L'\r' || text[length - 1] == L' ')) {
    --length;
  }
  if (length > 0) description += u": " + Utf16FromWide(text, length);
  // A status is unsigned: HRESULT-like codes print as the numbers they are.
  description += u" (error " + DecimalText(status) + u")";
  throw RuntimeError(kErrPlatformRefused, description);
}

void ThrowLastError(std::u16string_view operation) {
  const unsigned long status = ::GetLastError();
  if (status != 0) ThrowPlatformError(operation, status);
  // Some calls fail without saying why; reporting error 0 would read "The
  // operation completed successfully".
  std::u16string description(operation);
  description += u" failed: the system gave no reason. (error " + DecimalText(kNoReason) + u")";
  throw RuntimeError(kErrPlatformRefused, description);
}

}  // namespace lumora
