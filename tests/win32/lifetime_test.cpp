// How the program's window starts, whichever way it is shown or when its
// start fails, keeps its focus through minimise and restore, and ends with
// the session, wherever the session's end finds it.
#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "app/toolkit/win32/error_handler.h"
#include "win32/harness.h"

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
    EXPECT_FALSE(::IsZoomed(main_.Hwnd()));
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
  // Minimised in Windows' order, the element losing the focus first: by the
  // minimise box, as a taskbar does it, and shown minimised; then restored.
  const std::pair<UINT, UINT> ways[] = {
      {SC_MINIMIZE, SC_RESTORE}, {SW_MINIMIZE, SW_RESTORE}, {SW_SHOWMINIMIZED, SW_RESTORE}};
  Keys({VK_TAB});  // to About
  for (const auto& [minimise, restore] : ways) {
    Keys({VK_TAB});  // each option, then the check box
    HWND focus = ::GetFocus();
    ::SetFocus(nullptr);
    if (minimise == SC_MINIMIZE) {
      ::SendMessageW(main_.Hwnd(), WM_SYSCOMMAND, minimise, 0);
      ::SendMessageW(main_.Hwnd(), WM_SYSCOMMAND, restore, 0);
    } else {
      ::ShowWindow(main_.Hwnd(), static_cast<int>(minimise));
      ::ShowWindow(main_.Hwnd(), static_cast<int>(restore));
    }
    PumpFor(100);
    EXPECT_EQ(::GetFocus(), focus) << minimise;
  }
  ASSERT_EQ(::GetFocus(), Control(Element::chkSuper));
  ::SetFocus(main_.Hwnd());  // as a dialog passes it on
  EXPECT_EQ(::GetFocus(), Control(Element::chkSuper));
  Keys({VK_TAB}, VK_SHIFT);     // back to the option shown
  Keys({VK_SPACE, VK_RETURN});  // selects the option; Enter presses no button
  EXPECT_EQ(::SendMessageW(Control(Element::OptShow), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_TRUE(boxes_.seen.empty());
}

// The session's end as Windows drives it, wherever it finds the program
// (half the parameter: idle, the about window open, a box open): at a
// logoff, or at a close an installer asks for through Restart Manager (the
// parameter odd). Every window was asked first; the program does not answer.
class SessionEndTest : public ProgramTest, public ::testing::WithParamInterface<int> {};

TEST_P(SessionEndTest, EveryWindowAgreesThenTheLanguageIsSavedOnce) {
  const LPARAM how = GetParam() % 2 == 0 ? ENDSESSION_LOGOFF : ENDSESSION_CLOSEAPP;
  Start(u"Persian");
  // Every top-level window is told; a session some program refused goes on.
  bool ended = false;
  const auto end_session = [&] {
    const std::vector<HWND> windows = ThreadWindows();
    for (HWND w : windows) ::SendMessageW(w, WM_ENDSESSION, FALSE, how);
    EXPECT_TRUE(store_.saves.empty());
    for (HWND w : windows) {
      if (::IsWindow(w)) ::SendMessageW(w, WM_ENDSESSION, TRUE, how);
    }
    ended = true;
  };
  switch (GetParam() / 2) {
    case 0:
      end_session();
      break;
    case 1:
      WithAbout([&](HWND /*about*/) { end_session(); });
      break;
    default:
      boxes_.on_open = [&](HWND box) {
        RunSoon([&, box] {
          end_session();
          if (::IsWindow(box)) ::PostMessageW(box, WM_COMMAND, IDOK, 0);
        });
      };
      EXPECT_NO_THROW(ui_.MsgBox(u"text", 64, u"title"));
      break;
  }
  EXPECT_TRUE(ended);
  EXPECT_EQ(store_.saves, std::vector<std::u16string>{u"NorvaleSoft\\Lumora\\Language=Persian"});
  // Closed by the installer's request, the program ends as when its window
  // is closed; at a logoff the system ends it.
  EXPECT_EQ(main_.Hwnd() == nullptr, how == ENDSESSION_CLOSEAPP);
  MSG quit{};
  EXPECT_EQ(::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE,
            how == ENDSESSION_CLOSEAPP);
}

INSTANTIATE_TEST_SUITE_P(States, SessionEndTest, ::testing::Range(0, 6));

}  // namespace
}  // namespace lumora::testing
