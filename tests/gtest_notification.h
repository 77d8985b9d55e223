#pragma once

// GoogleTest's start signal between threads, on a Win32 event: the
// toolchain's win32 thread model has no std::mutex for the one it brings.
#include <windows.h>

#include "../app/toolkit/win32/unique_handle.h"

namespace testing::internal {

class Notification {
 public:
  Notification() = default;
  void Notify() { ::SetEvent(event_.get()); }
  void WaitForNotification() { ::WaitForSingleObject(event_.get(), INFINITE); }

 private:
  lumora::UniqueKernelHandle event_{::CreateEventW(nullptr, TRUE, FALSE, nullptr)};
};

}  // namespace testing::internal
