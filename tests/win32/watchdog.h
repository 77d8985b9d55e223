#pragma once

#include <windows.h>

namespace lumora::testing {

// The running test may take this much longer from now: it waits for a
// program it has started.
void AllowMore(DWORD ms);

}  // namespace lumora::testing
