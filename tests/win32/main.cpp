// The Windows tests; --expect-dpi=N fails at once unless the screen is at N
// dots per inch, so a run meant for another DPI cannot pass by mistake.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "app/toolkit/win32/error_handler.h"
#include "win32/harness.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  for (int i = 1; i < argc; ++i) {
    if (std::strncmp(argv[i], "--expect-dpi=", 13) == 0 &&
        std::to_string(lumora::testing::ScreenDpi()) != argv[i] + 13) {
      std::fprintf(stderr, "the screen is at %d DPI\n", lumora::testing::ScreenDpi());
      return 2;
    }
  }
  lumora::SetApplicationTitle(u"Lumora");
  return RUN_ALL_TESTS();
}
