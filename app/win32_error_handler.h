#pragma once

#include <exception>
#include <string>

namespace lumora {

// The product title, shown by message boxes that are given none.
inline constexpr wchar_t kProductTitle[] = L"Lumora";

// What the report says about an error that no trap caught.
[[nodiscard]] std::wstring DescribeError(const std::exception_ptr& error);

// Reports an error that left an event handler and ends the program with a
// non-zero exit code: the run-time error's number, or 1.
[[noreturn]] void DefaultErrorHandler(const std::exception_ptr& error);

}  // namespace lumora
