// lumora.exe as a process of its own: how it ends, its exit codes, the
// language it leaves stored, and its about window.
#include <gtest/gtest.h>
#include <windows.h>

#include "win32/harness.h"
#include "win32/watchdog.h"

namespace lumora::testing {
namespace {

// lumora.exe, as the test run names it in LUMORA_EXE.
const std::wstring kExe = _wgetenv(L"LUMORA_EXE") != nullptr ? _wgetenv(L"LUMORA_EXE") : L"";

// lumora.exe started as a process of its own; ended if still running.
struct LumoraProcess {
  LumoraProcess() {
    // It ends with the test program, however that ends.
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    ::SetInformationJobObject(job.get(), JobObjectExtendedLimitInformation, &limits, sizeof limits);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    ::CreateProcessW(kExe.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                     &info);
    process.reset(info.hProcess), thread.reset(info.hThread);
    ::AssignProcessToJobObject(job.get(), info.hProcess);
    AllowMore(25000);  // the waits below, with room to spare
    main = Wait(L"Lumora.frmMain", 8000);
  }
  ~LumoraProcess() {
    ::TerminateProcess(info.hProcess, 99);
    ::WaitForSingleObject(info.hProcess, 5000);
  }
  // Posts to the main window, then waits until its thread is back in a loop.
  void Post(UINT message, WPARAM w_param = 0) const {
    ::PostMessageW(main, message, w_param, 0);
    ::Sleep(100);
    ::SendMessageTimeoutW(main, WM_NULL, 0, 0, SMTO_NORMAL, 2000, nullptr);
  }
  // The process's visible top-level window of this class, once there is
  // one; nullptr at once when the process has ended, or shows a box instead.
  // A fresh test prefix may still be starting its own services at first.
  [[nodiscard]] HWND Wait(const wchar_t* class_name, int ms) const {
    const auto shown = [this](const wchar_t* name) {
      for (HWND w = nullptr; (w = ::FindWindowExW(nullptr, w, name, nullptr)) != nullptr;) {
        DWORD pid = 0;
        ::GetWindowThreadProcessId(w, &pid);
        if (pid == info.dwProcessId && ::IsWindowVisible(w)) return w;
      }
      return HWND{};
    };
    for (int i = 0; i < ms / 10 && ::WaitForSingleObject(info.hProcess, 10) == WAIT_TIMEOUT; ++i) {
      if (HWND w = shown(class_name)) return w;
      if (shown(L"#32770") != nullptr) return nullptr;
    }
    return nullptr;
  }
  // The exit code; STILL_ACTIVE when it has not ended within 3 seconds.
  [[nodiscard]] DWORD WaitForExit() const {
    DWORD code = 0;
    ::WaitForSingleObject(info.hProcess, 3000);
    ::GetExitCodeProcess(info.hProcess, &code);
    return code;
  }

  UniqueKernelHandle job{::CreateJobObjectW(nullptr, nullptr)};
  PROCESS_INFORMATION info{};
  UniqueKernelHandle process, thread;  // closed after the wait above
  HWND main = nullptr;
};

WPARAM Click(Element button) { return MAKEWPARAM(ControlId(button), BN_CLICKED); }
WPARAM Choose(Element item) { return MAKEWPARAM(ControlId(item), 0); }

using EndToEnd = CleanRegistry;

TEST_F(EndToEnd, TheAboutWindowOpensOverTheMainWindowAndEachWayOutStoresTheLanguage) {
  const struct {
    WPARAM open_about;
    UINT message;  // and its w_param: a way out
    WPARAM w_param;
  } runs[] = {{Click(Element::cmdAbout), WM_COMMAND, Click(Element::cmdExit)},
              {Choose(Element::mnuHelpAbout), WM_COMMAND, Choose(Element::mnuFileExit)},
              {Click(Element::cmdAbout), WM_SYSCOMMAND, SC_CLOSE}};
  for (const auto& run : runs) {
    SCOPED_TRACE(run.w_param);
    // An unrecognised text starts English and is replaced at the end.
    PutValue(kStoreKey, L"Language", Text(L" Persian"));
    const LumoraProcess lumora;
    ASSERT_NE(lumora.main, nullptr);
    lumora.Post(WM_COMMAND, run.open_about);
    HWND about = lumora.Wait(L"Lumora.frmAbout", 3000);
    ASSERT_NE(about, nullptr);
    ::PostMessageW(about, WM_COMMAND, Click(Element::cmdOK), 0);
    for (int i = 0; i < 300 && ::IsWindow(about); ++i) ::Sleep(10);
    ASSERT_TRUE(::IsWindowEnabled(lumora.main));  // else no way out would work
    lumora.Post(run.message, run.w_param);
    ASSERT_EQ(lumora.Wait(L"#32770", 1000), nullptr) << "a box instead of the end";
    ASSERT_EQ(lumora.WaitForExit(), 0U);
    EXPECT_EQ(GetValue(kStoreKey, L"Language"), Text(L"English"));
  }
}

TEST_F(EndToEnd, AStoreThatFailsEndsLoadQuietlyAndExitThroughTheErrorHandler) {
  // A volatile parent refuses a lasting child key: saving the language fails.
  UniqueKey vendor;
  ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\NorvaleSoft", 0, nullptr,
                              REG_OPTION_VOLATILE, KEY_ALL_ACCESS, nullptr, vendor.put(), nullptr),
            ERROR_SUCCESS);
  const LumoraProcess lumora;
  ASSERT_NE(lumora.main, nullptr);  // shown: no error reported at start-up
  lumora.Post(WM_COMMAND, Click(Element::cmdExit));
  HWND box = lumora.Wait(L"#32770", 3000);
  ASSERT_EQ(TextOf(box), L"Lumora");  // the title the program gives its error reports
  ::PostMessageW(box, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(lumora.WaitForExit(), 5U);
}

}  // namespace
}  // namespace lumora::testing
