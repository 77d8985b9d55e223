#pragma once

#include <exception>
#include <string>

namespace lumora {

// The application's title: message boxes given no title show it, and so does
// the report of an error that no trap caught. Set once at start-up.
void SetApplicationTitle(std::wstring title);
[[nodiscard]] const std::wstring& ApplicationTitle();

// What the report says about an error that no trap caught.
[[nodiscard]] std::wstring DescribeError(const std::exception_ptr& error);

// Reports an error that left an event handler and ends the program with a
// non-zero exit code: the run-time error's number, or 1.
[[noreturn]] void DefaultErrorHandler(const std::exception_ptr& error);

}  // namespace lumora
