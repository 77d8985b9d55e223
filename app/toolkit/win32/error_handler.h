#pragma once

#include <string>

namespace lumora {

// The application's title: message boxes given no title show it, and so does
// the report of an error that no trap caught. Set once at start-up.
void SetApplicationTitle(std::u16string title);
[[nodiscard]] const std::u16string& ApplicationTitle();

// Inside a catch block: reports the exception that left an event handler and
// ends the program with a non-zero exit code, the run-time error's number.
[[noreturn]] void DefaultErrorHandler();

}  // namespace lumora
