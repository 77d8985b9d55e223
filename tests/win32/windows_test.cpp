// The main window built in this process and checked through the Win32 API:
// its elements, languages, keyboard, Apply and focus as it starts.
#include "win32/main_window_fixture.h"

namespace lumora::testing {
namespace {

// The device context of the screen lent first: another once one is held.
HDC ScreenDc() { return UniqueScreenDc(::GetDC(nullptr)).get(); }

TEST_F(MainWindowTest, StartsInEnglishAsDescribedTakesTheKeyboardAppliesByEachRouteKeepsItsFocus) {
  const OlderSystem older;
  HDC screen = ScreenDc();
  Start(u"English");
  EXPECT_EQ(ScreenDc(), screen) << "the start keeps a device context of the screen";
  EXPECT_EQ(g_scaled, std::vector{main_.Hwnd()});
  // A caption that only starts like the new one is replaced.
  ui_.SetCaption(Element::frmMain, u"Lumora! Lumora!");
  ui_.SetCaption(Element::frmMain, u"Lumora!");
  ui_.SetCaption(Element::mnuFile, u"&File and more");
  ui_.SetCaption(Element::mnuFile, u"&File");
  g_awareness = DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2;  // scales every frame
  ExpectLabelled(false);
  ExpectInPlace();
  EXPECT_EQ(boxes_.cues_initialised, std::vector{main_.Hwnd()});
  ExpectDefaultButton(Element::cmdApply);
  // The keyboard walks the focus order, the mouse puts it on an option.
  for (const Element next : {Element::cmdAbout, Element::OptHide, Element::chkSuper,
                             Element::cmdExit, Element::txtCur, Element::cmdApply}) {
    Keys({VK_TAB});
    // Stop at a wrong step: Enter below would press another button.
    ASSERT_EQ(::GetFocus(), Control(next)) << ElementName(next);
    if (next == Element::chkSuper) Keys({VK_RETURN});  // presses no check box
    if (next != Element::chkSuper && next != Element::txtCur) ExpectDefaultButton(next);
  }
  ::SetFocus(Control(Element::OptHide));
  ExpectDefaultButton(Element::OptHide);
  Keys({VK_TAB, VK_TAB}, VK_SHIFT);  // back by About to Apply
  ExpectDefaultButton(Element::cmdApply);
  EXPECT_EQ(::SendMessageW(Control(Element::chkSuper), BM_GETCHECK, 0, 0), BST_CHECKED);
  Keys({VK_RETURN});     // presses the focused Apply
  Keys({'P'}, VK_MENU);  // A&pply
  Keys({VK_ESCAPE});     // does nothing
  EXPECT_EQ(boxes_.seen.size(), 2U);
  ASSERT_NE(main_.Hwnd(), nullptr);
  // Apply from what the window shows, as an automation tool presses the
  // button while another window is active, twenty times at once: the clicks
  // under the box, which the main window owns, do nothing. Then by the File
  // menu and the shortcut.
  const auto stored = [this](const char16_t* name) {
    return registry_.keys.at({kHkcu, kAdvanced}).at(name).data.at(0);
  };
  Click(Element::OptShow);
  Click(Element::chkSuper);
  {
    const OtherWindow other;
    ASSERT_EQ(::GetActiveWindow(), other.window.get());
    HWND apply = Control(Element::cmdApply);
    const WPARAM click = MAKEWPARAM(::GetDlgCtrlID(apply), BN_CLICKED);
    for (int i = 0; i < 20; ++i)
      ::PostMessageW(main_.Hwnd(), WM_COMMAND, click, reinterpret_cast<LPARAM>(apply));
    PumpFor(200);
  }
  EXPECT_EQ(stored(u"Hidden"), 1);
  EXPECT_EQ(stored(u"ShowSuperHidden"), 0);
  EXPECT_EQ(boxes_.seen.size(), 3U);
  EXPECT_EQ(boxes_.seen.back(),
            L"Changed| Option changes successfully! Good Luck!|information|OK|Lumora! disabled");
  Click(Element::OptHide);
  Choose(0, 0);  // File > Apply
  EXPECT_EQ(stored(u"Hidden"), 2);
  Click(Element::chkSuper);
  Keys({'P'}, VK_CONTROL);
  EXPECT_EQ(stored(u"ShowSuperHidden"), 1);
  WithAbout(
      [this](HWND about) {
        EXPECT_EQ(boxes_.cues_initialised, (std::vector{main_.Hwnd(), about}));
        EXPECT_EQ(g_scaled.size(), 1U);
        EXPECT_EQ(::GetWindowLongW(Control(Element::cmdOK), GWL_STYLE) & BS_TYPEMASK,
                  BS_DEFPUSHBUTTON);
      },
      [] { Keys({'A'}, VK_MENU); });  // &About
  // The focus stays where it was when the about window closes.
  ::SetFocus(Control(Element::OptHide));
  WithAbout([](HWND /*about*/) {}, [this] { Choose(2, 0); });  // Help > About
  EXPECT_EQ(::GetActiveWindow(), main_.Hwnd());
  EXPECT_EQ(::GetFocus(), Control(Element::OptHide));
  // Each language chosen in the Language menu: by its keys, by the mouse.
  Keys({'L'}, VK_MENU, {'P'});
  ExpectLabelled(true);
  ExpectInPlace();
  Choose(1, 0);
  ExpectLabelled(false);
}

}  // namespace
}  // namespace lumora::testing
