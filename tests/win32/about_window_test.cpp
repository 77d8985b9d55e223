// The about window modal over the main window, opened again after a
// language switch, in this process against the Win32 API.
#include <gtest/gtest.h>
#include <windows.h>

#include "win32/harness.h"

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

TEST_F(AboutWindowTest, OpensModallyInPersianAndInEnglishAfterASwitch) {
  Start(u"Persian");
  HFONT font = nullptr;
  WithAbout([this, &font](HWND window) {
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
    font = reinterpret_cast<HFONT>(::SendMessageW(label, WM_GETFONT, 0, 0));
    // Neither Escape nor the main window's shortcut does anything meanwhile.
    Keys({VK_ESCAPE});
    Keys({'P'}, VK_CONTROL);
    EXPECT_EQ(About(), window);
    EXPECT_TRUE(boxes_.seen.empty());
    Keys({VK_RETURN});  // presses the focused OK
    EXPECT_EQ(About(), nullptr);
  });
  EXPECT_TRUE(::IsWindowEnabled(main_.Hwnd()));
  // After a switch, in English and from its creation-time description.
  Choose(1, 0);
  WithAbout([this, font](HWND window) {
    HWND ok = Control(Element::cmdOK);
    EXPECT_EQ(::GetObjectType(font), 0U);  // the last opening's fonts are freed
    EXPECT_EQ(TextOf(window), L"About ... ");
    EXPECT_EQ(::GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_LAYOUTRTL, 0);
    EXPECT_EQ(TextOf(Control(Element::Label1)), kEnglishText);
    EXPECT_EQ(::GetWindowLongW(Control(Element::Label1), GWL_STYLE) & SS_TYPEMASK, SS_LEFT);
    EXPECT_EQ(TextOf(ok), L"OK");
    EXPECT_EQ(::GetWindowLongW(ok, GWL_STYLE) & BS_TYPEMASK, BS_PUSHBUTTON);
    RECT client{};
    ::GetClientRect(window, &client);
    ::MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
    EXPECT_EQ(client, Pixels({0, 0, 3720, 1785}, 5820, 3435));
    EXPECT_EQ(OnScreen(ok), Pixels({1200, 1380, 2535, 1695}, 5820, 3435));
    EXPECT_EQ(OnScreen(Control(Element::Label1)), Pixels({60, 60, 3555, 1395}, 5820, 3435));
    for (const Element element : {Element::cmdOK, Element::Label1, Element::Picture1}) {
      EXPECT_EQ(FontText(Control(element)),
                ScreenDpi() == 144 ? L"Tahoma -17 400 178" : L"Tahoma -11 400 178");
    }
    ::SendMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);  // the close box does what OK does
    EXPECT_EQ(About(), nullptr);
  });
}

}  // namespace
}  // namespace lumora::testing
