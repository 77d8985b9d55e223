// Ends the test program when one test runs for more than 20 seconds: a
// window or box a fault leaves open fails its own test at once, by name,
// rather than the whole run at CTest's time limit.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>

namespace {

class Watchdog final : public ::testing::EmptyTestEventListener {
  static void CALLBACK Expire(void* test, BOOLEAN /*fired*/) {
    const auto* info = static_cast<const ::testing::TestInfo*>(test);
    std::fprintf(stderr, "\n%s.%s: still running after 20 s; a window or box left open?\n",
                 info->test_suite_name(), info->name());
    std::fflush(stderr);
    ::TerminateProcess(::GetCurrentProcess(), 3);
  }
  void OnTestStart(const ::testing::TestInfo& test) override {
    ::CreateTimerQueueTimer(&timer_, nullptr, &Expire, const_cast<::testing::TestInfo*>(&test),
                            20000, 0, WT_EXECUTEDEFAULT);
  }
  void OnTestEnd(const ::testing::TestInfo& /*test*/) override {
    ::DeleteTimerQueueTimer(nullptr, timer_, nullptr);
  }

  HANDLE timer_ = nullptr;
};

const bool kWatched = [] {
  ::testing::UnitTest::GetInstance()->listeners().Append(new Watchdog);
  return true;
}();

}  // namespace
