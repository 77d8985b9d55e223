#pragma once

#include <windows.h>

namespace lumora::testing {

// The running test may take the given time from now for a program it has
// started; should it run out, that program ends with the test program.
void WatchProgram(HANDLE process, DWORD ms);
// The program has ended or been ended by the test.
void UnwatchProgram(HANDLE process);

}  // namespace lumora::testing
