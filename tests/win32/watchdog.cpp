// Ends the test program when one test runs for more than 20 seconds, or
// longer where it waits for programs of its own: a window or box a fault
// leaves open fails its own test at once, by name, rather than the whole run
// at CTest's time limit.
#include "win32/watchdog.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "app/toolkit/win32/unique_handle.h"

namespace lumora::testing {
namespace {

constexpr DWORD kTestMs = 20000;
UniqueQueueTimer g_timer;

class Watchdog final : public ::testing::EmptyTestEventListener {
  static void CALLBACK Expire(void* test, BOOLEAN /*fired*/) {
    const auto* info = static_cast<const ::testing::TestInfo*>(test);
    std::fprintf(stderr, "\n%s.%s: still running after its time; a window or box left open?\n",
                 info->test_suite_name(), info->name());
    std::fflush(stderr);
    ::TerminateProcess(::GetCurrentProcess(), 3);
  }
  void OnTestStart(const ::testing::TestInfo& test) override {
    ::CreateTimerQueueTimer(g_timer.put(), nullptr, &Expire,
                            const_cast<::testing::TestInfo*>(&test), kTestMs, 0, WT_EXECUTEDEFAULT);
  }
  void OnTestEnd(const ::testing::TestInfo& /*test*/) override { g_timer.reset(); }
};

const bool kWatched = [] {
  ::testing::UnitTest::GetInstance()->listeners().Append(new Watchdog);
  return true;
}();

}  // namespace

void AllowMore(DWORD ms) { ::ChangeTimerQueueTimer(nullptr, g_timer.get(), ms, 0); }

}  // namespace lumora::testing
