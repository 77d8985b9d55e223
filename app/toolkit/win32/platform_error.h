#pragma once

#include <string_view>

namespace lumora {

// Turns a failed Win32 call into the run-time error: the operation's name,
// the status the call returned (or GetLastError) and the system's own text
// for it.
[[noreturn]] void ThrowPlatformError(std::u16string_view operation, unsigned long status);
// A call that fails without setting a last error reports this status
// instead, E_FAIL, with a text of its own.
inline constexpr unsigned long kNoReason = 0x80004005UL;
[[noreturn]] void ThrowLastError(std::u16string_view operation);

// The result of a call that fails with a zero or null result and sets the
// last error; that failure throws instead.
template <typename Result>
Result CheckLastError(Result result, std::u16string_view operation) {
  if (!result) ThrowLastError(operation);
  return result;
}

}  // namespace lumora
