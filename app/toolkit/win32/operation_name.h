#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "app/toolkit/element.h"
#include "app/toolkit/win32/platform_error.h"
#include "app/toolkit/win32/text.h"

namespace lumora {

// What a failure report names: "Setting the caption of cmdApply".
[[nodiscard]] inline std::u16string OperationName(std::u16string_view operation, Element element) {
  return std::u16string(operation) + u" of " + Utf16FromAscii(ElementName(element));
}

// A failed call's last error as the run-time error naming the element. The
// error is read first: building the name allocates, which may change it.
[[noreturn]] inline void ThrowLastError(std::u16string_view operation, Element element) {
  const unsigned long status = ::GetLastError();
  const std::u16string name = OperationName(operation, element);
  ::SetLastError(status);
  ThrowLastError(name);
}

template <typename Result>
Result CheckLastError(Result result, std::u16string_view operation, Element element) {
  if (!result) ThrowLastError(operation, element);
  return result;
}

// An element that is not loaded has no window to work on.
[[noreturn]] inline void ThrowNotLoaded(std::u16string_view operation, Element element) {
  ThrowPlatformError(OperationName(operation, element), ERROR_INVALID_WINDOW_HANDLE);
}

}  // namespace lumora
