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

// Inside a catch block: shows the report until the user answers it and
// returns the run-time error's number; DefaultErrorHandler's first half.
int ReportRunTimeError();

}  // namespace lumora
