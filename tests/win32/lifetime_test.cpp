// How the program starts and ends: its window whichever way it is shown or
// when its start fails, its focus through minimise and restore, its end with
// the session; and lumora.exe as a process of its own, for what only a
// process shows: how it ends, its exit codes, the language it leaves stored
// and its about window.
#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "app/toolkit/win32/error_handler.h"
#include "win32/harness.h"
#include "win32/watchdog.h"

namespace lumora::testing {
namespace {

using ShowTest = ProgramTest;

TEST_F(ShowTest, StartsRestoredWithTheFocusOnApplyWhicheverWayItIsShown) {
  // "Run: Maximized" included: the fixed window is never maximised.
  for (const int show :
       {SW_SHOWMAXIMIZED, SW_SHOWMINIMIZED, SW_SHOWMINNOACTIVE, SW_SHOWNOACTIVATE}) {
    SCOPED_TRACE(show);
    {
      const OtherWindow other;
      main_.Start(show);
      if (::IsIconic(main_.Hwnd())) ::ShowWindow(main_.Hwnd(), SW_RESTORE);  // as a taskbar does
      PumpFor(50);
      EXPECT_EQ(::GetFocus(), Control(Element::cmdApply));
    }
    EXPECT_EQ(ClientOnScreen(main_.Hwnd()), AtDpi({388, 196, 636, 380}, {582, 294, 954, 570}));
    ::SendMessageW(main_.Hwnd(), WM_CLOSE, 0, 0);  // the system destroys it as it is closed
  }
}

// No text box can be made.
LRESULT CALLBACK RefuseTextBoxes(int code, WPARAM w_param, LPARAM l_param) {
  if (code == HCBT_CREATEWND &&
      TextOf(reinterpret_cast<HWND>(w_param), &::GetClassNameW) == L"Edit")
    return 1;
  return ::CallNextHookEx(nullptr, code, w_param, l_param);
}

TEST_F(ShowTest, AStartThatFailsOnceTheWindowExistsShowsItsErrorUntilItIsAnswered) {
  UniqueHook hook(::SetWindowsHookExW(WH_CBT, &RefuseTextBoxes, nullptr, ::GetCurrentThreadId()));
  bool shown = false;  // still there after a while
  boxes_.on_open = [&shown](HWND box) {
    RunSoon(
        [&shown, box] {
          shown = ::IsWindow(box) != FALSE;
          ::PostMessageW(box, WM_COMMAND, IDOK, 0);
        },
        300);
  };
  try {
    main_.Start(SW_SHOW);
    ADD_FAILURE() << "started";
  } catch (...) {
    EXPECT_EQ(ReportRunTimeError(), 5);
  }
  hook.reset();
  g_pending.clear();
  EXPECT_TRUE(shown);
  // Ownerless, with the error icon: "title|text|icon|buttons|owner". Refused
  // by a hook, the creation sets no last error: no "success" reported.
  EXPECT_EQ(boxes_.seen, std::vector<std::wstring>{
                             L"|Run-time error '5':\n\nCreateWindowEx failed: the system gave no "
                             L"reason. (error 2147500037)|error|OK| disabled"});
  EXPECT_EQ(main_.Hwnd(), nullptr);
}

TEST_F(ShowTest, WithNoOptionSelectedTabReachesThemAndTheFocusSurvivesMinimiseAndRestore) {
  registry_.PutSetting(u"Hidden", 0);
  Start(u"English");
  ASSERT_EQ(::SendMessageW(Control(Element::OptHide), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  Keys({VK_TAB, VK_TAB, VK_TAB, VK_TAB});  // About, each option, the check box
  ASSERT_EQ(::GetFocus(), Control(Element::chkSuper));
  // Minimised in Windows' order, the element losing the focus first, by the
  // minimise box; then restored, and the focus given to the window itself,
  // as a dialog passes it on.
  ::SetFocus(nullptr);
  ::SendMessageW(main_.Hwnd(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  ::SendMessageW(main_.Hwnd(), WM_SYSCOMMAND, SC_RESTORE, 0);
  PumpFor(100);
  EXPECT_EQ(::GetFocus(), Control(Element::chkSuper));
  ::SetFocus(main_.Hwnd());
  EXPECT_EQ(::GetFocus(), Control(Element::chkSuper));
  Keys({VK_TAB}, VK_SHIFT);     // back to the option shown
  Keys({VK_SPACE, VK_RETURN});  // selects the option; Enter presses no button
  EXPECT_EQ(::SendMessageW(Control(Element::OptShow), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_TRUE(boxes_.seen.empty());
}

// The session's end as Windows drives it, with a box open (the hardest of
// the states it can find the program in): at a logoff, or at a close an
// installer asks for through Restart Manager (the parameter). Every window
// is told; a session some program refused goes on.
class SessionEndTest : public ProgramTest, public ::testing::WithParamInterface<LPARAM> {};

TEST_P(SessionEndTest, EachWindowIsToldThenTheLanguageIsSavedOnce) {
  const LPARAM how = GetParam();
  Start(u"Persian");
  bool ended = false;
  boxes_.on_open = [&](HWND box) {
    RunSoon([&, box] {
      const std::vector<HWND> windows = ThreadWindows();
      for (HWND w : windows) ::SendMessageW(w, WM_ENDSESSION, FALSE, how);
      EXPECT_TRUE(store_.saves.empty());
      for (HWND w : windows) {
        if (::IsWindow(w)) ::SendMessageW(w, WM_ENDSESSION, TRUE, how);
      }
      ended = true;
      if (::IsWindow(box)) ::PostMessageW(box, WM_COMMAND, IDOK, 0);
    });
  };
  EXPECT_NO_THROW(ui_.MsgBox(u"text", 64, u"title"));
  EXPECT_TRUE(ended);
  EXPECT_EQ(store_.saves, std::vector<std::u16string>{u"NorvaleSoft\\Lumora\\Language=Persian"});
  // Closed by the installer's request, the program ends as when its window
  // is closed; at a logoff the system ends it.
  EXPECT_EQ(main_.Hwnd() == nullptr, how == ENDSESSION_CLOSEAPP);
  MSG quit{};
  EXPECT_EQ(::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE,
            how == ENDSESSION_CLOSEAPP);
}

INSTANTIATE_TEST_SUITE_P(LogoffAndClose, SessionEndTest,
                         ::testing::Values(ENDSESSION_LOGOFF, ENDSESSION_CLOSEAPP));

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

WPARAM Clicked(Element button) { return MAKEWPARAM(ControlId(button), BN_CLICKED); }
WPARAM Chosen(Element item) { return MAKEWPARAM(ControlId(item), 0); }

using EndToEnd = CleanRegistry;

TEST_F(EndToEnd, TheAboutWindowOpensOverTheMainWindowAndEachWayOutStoresTheLanguage) {
  const struct {
    WPARAM open_about;
    UINT message;  // and its w_param: a way out
    WPARAM w_param;
  } runs[] = {{Clicked(Element::cmdAbout), WM_COMMAND, Clicked(Element::cmdExit)},
              {Chosen(Element::mnuHelpAbout), WM_COMMAND, Chosen(Element::mnuFileExit)},
              {Clicked(Element::cmdAbout), WM_SYSCOMMAND, SC_CLOSE}};
  for (const auto& run : runs) {
    SCOPED_TRACE(run.w_param);
    // An unrecognised text starts English and is replaced at the end.
    PutValue(kStoreKey, L"Language", Text(L" Persian"));
    const LumoraProcess lumora;
    ASSERT_NE(lumora.main, nullptr);
    lumora.Post(WM_COMMAND, run.open_about);
    HWND about = lumora.Wait(L"Lumora.frmAbout", 3000);
    ASSERT_NE(about, nullptr);
    ::PostMessageW(about, WM_COMMAND, Clicked(Element::cmdOK), 0);
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
  lumora.Post(WM_COMMAND, Clicked(Element::cmdExit));
  HWND box = lumora.Wait(L"#32770", 3000);
  ASSERT_EQ(TextOf(box), L"Lumora");  // the title the program gives its error reports
  ::PostMessageW(box, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(lumora.WaitForExit(), 5U);
}

}  // namespace
}  // namespace lumora::testing
