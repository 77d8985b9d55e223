// Ends the test program when one test runs for more than 20 seconds: a
// window or box a fault leaves open fails its own test at once, by name,
// rather than the whole run at CTest's time limit.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

class Watchdog final : public ::testing::EmptyTestEventListener {
 public:
  Watchdog() { ::CreateThread(nullptr, 0, &Watch, this, 0, nullptr); }

 private:
  static DWORD WINAPI Watch(void* self) {
    auto* watchdog = static_cast<Watchdog*>(self);
    for (;;) {
      ::WaitForSingleObject(watchdog->started_, INFINITE);
      if (::WaitForSingleObject(watchdog->ended_, 20000) == WAIT_TIMEOUT) {
        std::fprintf(stderr, "\n%s: still running after 20 s; a window or box left open?\n",
                     watchdog->name_.c_str());
        std::fflush(stderr);
        ::TerminateProcess(::GetCurrentProcess(), 3);
      }
    }
  }
  void OnTestStart(const ::testing::TestInfo& test) override {
    name_ = std::string(test.test_suite_name()) + '.' + test.name();
    ::ResetEvent(ended_);
    ::SetEvent(started_);
  }
  void OnTestEnd(const ::testing::TestInfo& /*test*/) override { ::SetEvent(ended_); }

  HANDLE started_ = ::CreateEventW(nullptr, FALSE, FALSE, nullptr);
  HANDLE ended_ = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
  std::string name_;
};

const bool kWatched = [] {
  ::testing::UnitTest::GetInstance()->listeners().Append(new Watchdog);
  return true;
}();

}  // namespace
