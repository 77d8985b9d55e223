// Ends the test program when one test runs for more than 20 seconds, or
// longer where it starts programs of its own: a window or box a fault leaves
// open fails its own test at once, by name, rather than the whole run at
// CTest's time limit, and nothing it started lives on.
#include "win32/watchdog.h"

#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <cstdio>

namespace lumora::testing {
namespace {

constexpr DWORD kTestMs = 20000;
std::array<std::atomic<HANDLE>, 4> g_programs{};
HANDLE g_timer = nullptr;

class Watchdog final : public ::testing::EmptyTestEventListener {
  static void CALLBACK Expire(void* test, BOOLEAN /*fired*/) {
    const auto* info = static_cast<const ::testing::TestInfo*>(test);
    std::fprintf(stderr, "\n%s.%s: still running after its time; a window or box left open?\n",
                 info->test_suite_name(), info->name());
    std::fflush(stderr);
    for (auto& program : g_programs) {
      if (HANDLE process = program.load(); process != nullptr) ::TerminateProcess(process, 3);
    }
    ::TerminateProcess(::GetCurrentProcess(), 3);
  }
  void OnTestStart(const ::testing::TestInfo& test) override {
    ::CreateTimerQueueTimer(&g_timer, nullptr, &Expire, const_cast<::testing::TestInfo*>(&test),
                            kTestMs, 0, WT_EXECUTEDEFAULT);
  }
  void OnTestEnd(const ::testing::TestInfo& /*test*/) override {
    ::DeleteTimerQueueTimer(nullptr, std::exchange(g_timer, nullptr), INVALID_HANDLE_VALUE);
  }
};

const bool kWatched = [] {
  ::testing::UnitTest::GetInstance()->listeners().Append(new Watchdog);
  return true;
}();

}  // namespace

void WatchProgram(HANDLE process, DWORD ms) {
  for (auto& program : g_programs) {
    HANDLE none = nullptr;
    if (program.compare_exchange_strong(none, process)) break;
  }
  ::ChangeTimerQueueTimer(nullptr, g_timer, ms, 0);
}

void UnwatchProgram(HANDLE process) {
  for (auto& program : g_programs) {
    HANDLE same = process;
    program.compare_exchange_strong(same, nullptr);
  }
}

}  // namespace lumora::testing
