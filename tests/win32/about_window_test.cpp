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
    EXPECT_EQ(::GetWindow(window, GW_OWNER), main_.Hwnd());
    EXPECT_FALSE(::IsWindowEnabled(main_.Hwnd()));
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
    if (About() != nullptr) ::SendMessageW(About(), WM_CLOSE, 0, 0);  // not to hang
  });
  Click(Element::cmdAbout);
  EXPECT_TRUE(checked);
  EXPECT_EQ(About(), nullptr);
  EXPECT_TRUE(::IsWindowEnabled(main_.Hwnd()));
}

TEST_F(AboutWindowTest, OpensInEnglishAfterASwitchBuiltAsDescribed) {
  Start(u"Persian");
  RunSoon([this] { ::SendMessageW(About(), WM_CLOSE, 0, 0); });
  Click(Element::cmdAbout);
  Choose(1, 0);
  bool checked = false;
  RunSoon([&] {
    HWND window = About();
    HWND ok = Control(Element::cmdOK);
    EXPECT_EQ(TextOf(window), L"About ... ");
    EXPECT_EQ(::GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_LAYOUTRTL, 0);
    EXPECT_EQ(TextOf(Control(Element::Label1)), kEnglishText);
    EXPECT_EQ(::GetWindowLongW(Control(Element::Label1), GWL_STYLE) & SS_TYPEMASK, SS_LEFT);
    EXPECT_EQ(TextOf(ok), L"OK");
    EXPECT_EQ(::GetWindowLongW(ok, GWL_STYLE) & BS_TYPEMASK, BS_PUSHBUTTON);
    RECT client{};
    ::GetClientRect(window, &client);
    POINT origin{0, 0};
    ::ClientToScreen(window, &origin);
    EXPECT_EQ(client, (RECT{0, 0, Px(3720), Px(1785)}));
    EXPECT_EQ(origin.x, Px(5820));
    EXPECT_EQ(origin.y, Px(3435));
    EXPECT_EQ(RectIn(ok, window), (RECT{Px(1200), Px(1380), Px(2535), Px(1695)}));
    EXPECT_EQ(RectIn(Control(Element::Label1), window), (RECT{Px(60), Px(60), Px(3555), Px(1395)}));
    for (const Element element : {Element::cmdOK, Element::Label1, Element::Picture1}) {
      EXPECT_EQ(FontText(Control(element)),
                ScreenDpi() == 144 ? L"Tahoma -17 400 178" : L"Tahoma -11 400 178");
    }
    checked = true;
    ::SendMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);  // the close box does what OK does
  });
  Click(Element::cmdAbout);
  EXPECT_TRUE(checked);
  EXPECT_EQ(About(), nullptr);
}

}  // namespace
}  // namespace lumora::testing
