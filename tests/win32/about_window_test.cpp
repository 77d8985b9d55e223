// The about window built in this process: modal over the main window,
// labelled for the language at each opening, keeping its focus.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "win32/program.h"

namespace lumora::testing {
namespace {

const wchar_t kEnglishText[] =
    L"After changing settings and applying, you must 'Refresh' once in desktop.\r\n"
    L"Then you can see the changes!\r\n"
    L"Author: the Lumora team\r\n"
    L"Producer: NorvaleSoft\r\n";
const wchar_t kPersianText[] =
    L"بعد از انجام تغييرات ، شما بايد يکبار در صفحه ، رفرش کنيد.\r\n"
    L"سپس شما تغييرات را مي بينيد!\r\n"
    L"نويسنده: گروه لومورا\r\n"
    L"توليد: نوروال سافت\r\n";

using AboutWindowTest = ProgramTest;

TEST_F(AboutWindowTest, OpensModallyInPersianAndKeepsItsFocus) {
  Start(u"Persian");
  bool checked = false;
  RunSoon([&] {
    HWND window = About();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(::GetWindow(window, GW_OWNER), main.Hwnd());
    EXPECT_FALSE(::IsWindowEnabled(main.Hwnd()));
    EXPECT_EQ(TextOf(window), L"درباره ...");
    EXPECT_NE(::GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_LAYOUTRTL, 0);
    HWND label = Control(Element::Label1);
    EXPECT_EQ(TextOf(label), kPersianText);
    EXPECT_NE(::GetWindowLongW(label, GWL_EXSTYLE) & WS_EX_RTLREADING, 0);
    EXPECT_EQ(::GetWindowLongW(label, GWL_STYLE) & SS_TYPEMASK, SS_RIGHT);
    EXPECT_EQ(TextOf(Control(Element::cmdOK)), L"تاييد");
    EXPECT_EQ(::GetFocus(), Control(Element::cmdOK));

    // Deactivated and activated again, it gives the focus back to OK.
    {
      const OtherWindow other;
      EXPECT_NE(::GetActiveWindow(), window);
    }
    ::SetForegroundWindow(window);
    PumpFor(50);
    EXPECT_EQ(::GetActiveWindow(), window);
    EXPECT_EQ(::GetFocus(), Control(Element::cmdOK));

    // Neither Escape nor the main window's shortcut does anything meanwhile.
    Keys({VK_ESCAPE});
    Keys({'P'}, VK_CONTROL);
    EXPECT_EQ(About(), window);
    EXPECT_TRUE(boxes_.seen.empty());
    checked = true;
    Keys({VK_RETURN});  // presses the focused OK
    EXPECT_EQ(About(), nullptr);
    if (About() != nullptr) ::SendMessageW(About(), WM_CLOSE, 0, 0);
  });
  Click(Element::cmdAbout);
  EXPECT_TRUE(checked);
  EXPECT_EQ(About(), nullptr);
  EXPECT_TRUE(::IsWindowEnabled(main.Hwnd()));
}

TEST_F(AboutWindowTest, OpensInEnglishAfterASwitchBuiltAsDescribed) {
  Start(u"Persian");
  RunSoon([] { ::SendMessageW(About(), WM_CLOSE, 0, 0); });
  Click(Element::cmdAbout);
  ::SendMessageW(main.Hwnd(), WM_COMMAND,
                 MAKEWPARAM(::GetMenuItemID(::GetSubMenu(::GetMenu(main.Hwnd()), 1), 0), 0), 0);
  bool checked = false;
  RunSoon([&] {
    HWND window = About();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(TextOf(window), L"About ... ");
    EXPECT_EQ(::GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_LAYOUTRTL, 0);
    HWND label = Control(Element::Label1);
    EXPECT_EQ(TextOf(label), kEnglishText);
    EXPECT_EQ(::GetWindowLongW(label, GWL_STYLE) & SS_TYPEMASK, SS_LEFT);
    EXPECT_EQ(TextOf(Control(Element::cmdOK)), L"OK");

    RECT client{};
    ::GetClientRect(window, &client);
    EXPECT_EQ(client.right, Px(3720));
    EXPECT_EQ(client.bottom, Px(1785));
    POINT origin{0, 0};
    ::ClientToScreen(window, &origin);
    EXPECT_EQ(origin.x, Px(5820));
    EXPECT_EQ(origin.y, Px(3435));
    RECT ok = ClientRectOf(Control(Element::cmdOK), window);
    EXPECT_EQ(ok.left, Px(1200));
    EXPECT_EQ(ok.top, Px(1380));
    EXPECT_EQ(ok.right, Px(1200 + 1335));
    EXPECT_EQ(ok.bottom, Px(1380 + 315));
    RECT text = ClientRectOf(label, window);
    EXPECT_EQ(text.left, Px(60));
    EXPECT_EQ(text.top, Px(60));
    EXPECT_EQ(text.right, Px(60 + 3495));
    EXPECT_EQ(text.bottom, Px(60 + 1335));
    for (const Element element : {Element::cmdOK, Element::Label1, Element::Picture1}) {
      const LOGFONTW font = FontOf(Control(element));
      EXPECT_STREQ(font.lfFaceName, L"Tahoma") << ElementName(element);
      EXPECT_EQ(font.lfHeight, ScreenDpi() == 144 ? -17 : -11) << ElementName(element);
      EXPECT_EQ(font.lfCharSet, 178) << ElementName(element);
    }
    EXPECT_EQ(ClassOf(label), L"Static");
    EXPECT_EQ(::GetWindowLongW(Control(Element::cmdOK), GWL_STYLE) & BS_TYPEMASK, BS_PUSHBUTTON);
    checked = true;
    // The close box does what OK does.
    ::SendMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
  });
  Click(Element::cmdAbout);
  EXPECT_TRUE(checked);
  EXPECT_EQ(About(), nullptr);
}

}  // namespace
}  // namespace lumora::testing
