// The main window built in this process and checked through the Win32 API:
// its elements, languages, keyboard, Apply, ending, focus, colours and DPI.
#include <gtest/gtest.h>
#include <windows.h>

#include "app/toolkit/win32/error_handler.h"
#include "texts.h"
#include "win32/harness.h"

namespace lumora::testing {
namespace {

struct ElementFacts {
  Element element;
  bool turns;  // right to left in Persian
  RECT twips;  // left, top, right, bottom from the client area's corner
};
const ElementFacts kElements[] = {
    {Element::framOpt, true, {120, 120, 3615, 735}},
    {Element::txtCur, false, {480, 360, 3255, 645}},
    {Element::framMain, true, {120, 840, 3615, 2655}},
    {Element::pic, false, {240, 1080, 3495, 2535}},
    {Element::chkSuper, true, {240, 1120, 3495, 1315}},
    {Element::OptShow, true, {240, 1440, 3495, 1635}},
    {Element::OptHide, true, {240, 1700, 3495, 1895}},
    {Element::cmdApply, false, {360, 2040, 1215, 2535}},
    {Element::cmdAbout, false, {1440, 2040, 2295, 2535}},
    {Element::cmdExit, false, {2520, 2040, 3375, 2535}},
};

class MainWindowTest : public ProgramTest {
 protected:
  [[nodiscard]] UINT MenuState(int menu, int item) const {
    return ::GetMenuState(::GetSubMenu(::GetMenu(main_.Hwnd()), menu), item, MF_BYPOSITION);
  }
  // The text of the window, an element, a menu or a menu item.
  [[nodiscard]] std::wstring Shown(Element element) const {
    if (HWND hwnd = Control(element)) return TextOf(hwnd);
    const Element menus[] = {Element::mnuFile, Element::mnuLang, Element::mnuHelp};
    const auto* menu = std::find(std::begin(menus), std::end(menus), element);
    wchar_t text[64] = {};
    ::GetMenuStringW(::GetMenu(main_.Hwnd()),
                     menu != std::end(menus) ? menu - menus : ControlId(element), text, 64,
                     menu != std::end(menus) ? MF_BYPOSITION : MF_BYCOMMAND);
    return text;
  }

  // Every caption, menu text, check mark and direction of one language, and
  // each element where the description puts it in the client area.
  void ExpectLabelledInPlace(bool persian, int dpi = ScreenDpi()) const {
    for (const Caption& caption : kMainCaptions) {
      const wchar_t* shortcut = caption.element == Element::mnuFileApply ? L"\tCtrl+P" : L"";
      EXPECT_EQ(Shown(caption.element), Wide(caption.In(persian)) + shortcut)
          << ElementName(caption.element);
    }
    const RECT client = ClientOnScreen(main_.Hwnd());
    for (const ElementFacts& facts : kElements) {
      SCOPED_TRACE(ElementName(facts.element));
      HWND control = Control(facts.element);
      RECT place = OnScreen(control);
      ::OffsetRect(&place, -client.left, -client.top);
      EXPECT_EQ(place, Pixels(facts.twips, 0, 0, dpi));
      EXPECT_EQ((::GetWindowLongW(control, GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0,
                facts.turns && persian);
    }
    EXPECT_EQ((::GetWindowLongW(main_.Hwnd(), GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0, persian);
    EXPECT_NE(MenuState(0, 1) & MF_SEPARATOR, 0U);
    EXPECT_EQ((MenuState(1, 0) & MF_CHECKED) != 0, !persian);
    EXPECT_EQ((MenuState(1, 1) & MF_CHECKED) != 0, persian);
  }
};

TEST_F(MainWindowTest, StartsInEnglishBuiltAsDescribedTakesTheKeyboardAndKeepsItsFocus) {
  Start(u"English");
  ExpectLabelledInPlace(false);
  EXPECT_EQ(ClientOnScreen(main_.Hwnd()), Pixels({0, 0, 3720, 2760}, 5820, 2940));
  for (const ElementFacts& facts : kElements) {
    SCOPED_TRACE(ElementName(facts.element));
    HWND control = Control(facts.element);
    EXPECT_TRUE(::IsWindowVisible(control) && ::IsWindowEnabled(control));
    EXPECT_EQ(FontText(control),
              (facts.element == Element::pic ? L"MS Sans Serif" : L"Tahoma") + Regular825Points());
  }
  EXPECT_EQ(FontText(main_.Hwnd()), L"Tahoma" + Regular825Points());
  // The settings as stored: hidden files not shown, system files shown.
  EXPECT_EQ(::SendMessageW(Control(Element::OptHide), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(::SendMessageW(Control(Element::OptShow), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_EQ(::SendMessageW(Control(Element::chkSuper), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(TextOf(Control(Element::txtCur)), Wide(kActivated.english));
  EXPECT_EQ(::GetFocus(), Control(Element::cmdApply));
  // The keyboard walks the focus order.
  for (const Element next : {Element::cmdAbout, Element::OptHide, Element::chkSuper,
                             Element::cmdExit, Element::txtCur, Element::cmdApply}) {
    Keys({VK_TAB});
    // Stop at a wrong step: Enter below would press another button.
    ASSERT_EQ(::GetFocus(), Control(next)) << ElementName(next);
    if (next == Element::chkSuper) Keys({VK_RETURN});  // presses no check box
  }
  EXPECT_EQ(::SendMessageW(Control(Element::chkSuper), BM_GETCHECK, 0, 0), BST_CHECKED);
  Keys({VK_RETURN});     // presses the focused Apply
  Keys({'P'}, VK_MENU);  // A&pply
  EXPECT_EQ(boxes_.seen.size(), 2U);
  WithAbout([](HWND /*about*/) {}, [] { Keys({'A'}, VK_MENU); });  // &About
  // The focus stays where it was when the about window closes.
  ::SetFocus(Control(Element::OptHide));
  WithAbout([](HWND /*about*/) {}, [this] { Choose(2, 0); });  // Help > About
  EXPECT_EQ(::GetActiveWindow(), main_.Hwnd());
  EXPECT_EQ(::GetFocus(), Control(Element::OptHide));
}

TEST_F(MainWindowTest, ApplyByButtonMenuAndShortcutConfirmsInABoxOverTheMainWindow) {
  Start(u"English");
  Click(Element::OptShow);
  Click(Element::chkSuper);
  {
    // As an automation tool presses the button, while another window is
    // active, twenty times at once: the clicks under the box do nothing.
    const OtherWindow other;
    ASSERT_EQ(::GetActiveWindow(), other.hwnd);
    HWND apply = Control(Element::cmdApply);
    for (int i = 0; i < 20; ++i) {
      ::PostMessageW(main_.Hwnd(), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(apply), BN_CLICKED),
                     reinterpret_cast<LPARAM>(apply));
    }
    PumpFor(200);
  }
  const auto stored = [this](const char16_t* name) {
    return registry_.keys.at({kHkcu, kAdvanced}).at(name).data.at(0);
  };
  EXPECT_EQ(stored(u"Hidden"), 1);
  EXPECT_EQ(stored(u"ShowSuperHidden"), 0);
  EXPECT_EQ(TextOf(Control(Element::txtCur)), Wide(kDeactivated.english));
  // Owned by the main window, which takes no input meanwhile; an information
  // icon and OK alone.
  EXPECT_EQ(boxes_.seen, std::vector<std::wstring>{L"Changed| Option changes successfully! Good "
                                                   L"Luck!|information|OK|Lumora! disabled"});
  EXPECT_TRUE(::IsWindowEnabled(main_.Hwnd()));
  Click(Element::OptHide);
  Choose(0, 0);  // File > Apply
  EXPECT_EQ(stored(u"Hidden"), 2);
  Click(Element::chkSuper);
  Keys({'P'}, VK_CONTROL);
  EXPECT_EQ(stored(u"ShowSuperHidden"), 1);
  EXPECT_EQ(boxes_.seen.size(), 3U);
}

TEST_F(MainWindowTest, ShownWithoutActivationTakesTheFocusUnloadsOnceAndClosesUnderABox) {
  store_.entries[u"NorvaleSoft\\Lumora\\Language"] = u"Persian";
  {
    const OtherWindow other;
    main_.Start(SW_SHOWNOACTIVATE);
    EXPECT_EQ(::GetFocus(), Control(Element::cmdApply));
  }
  // The session's end; closed under a box afterwards, without an error.
  ::SendMessageW(main_.Hwnd(), WM_ENDSESSION, FALSE, 0);  // another program refused
  EXPECT_EQ(store_.log.size(), 2U);                       // two readings at start-up
  ::SendMessageW(main_.Hwnd(), WM_ENDSESSION, TRUE, 0);
  EXPECT_EQ(store_.log.back(), u"save NorvaleSoft\\Lumora\\Language=Persian");
  boxes_.on_open = [this](HWND /*box*/) { ::PostMessageW(main_.Hwnd(), WM_CLOSE, 0, 0); };
  EXPECT_NO_THROW(ui_.MsgBox(u"text", 64, u"title"));
  EXPECT_EQ(main_.Hwnd(), nullptr);
  EXPECT_EQ(store_.log.size(), 3U);
  MSG quit{};
  ASSERT_TRUE(::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(quit.wParam, 0U);
}

// No text box can be made.
LRESULT CALLBACK RefuseTextBoxes(int code, WPARAM w_param, LPARAM l_param) {
  if (code == HCBT_CREATEWND && ClassOf(reinterpret_cast<HWND>(w_param)) == L"Edit") return 1;
  return ::CallNextHookEx(nullptr, code, w_param, l_param);
}

TEST_F(MainWindowTest, AStartThatFailsOnceTheWindowExistsShowsItsErrorUntilItIsAnswered) {
  HHOOK hook = ::SetWindowsHookExW(WH_CBT, &RefuseTextBoxes, nullptr, ::GetCurrentThreadId());
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
  ::UnhookWindowsHookEx(hook);
  g_pending.clear();
  EXPECT_TRUE(shown);
  ASSERT_EQ(boxes_.seen.size(), 1U);
  // Ownerless, with the error icon: "title|text|icon|buttons|owner".
  const std::wstring& box = boxes_.seen[0];
  EXPECT_TRUE(box.starts_with(L"|Run-time error '5':\n\nCreateWindowEx failed") &&
              box.ends_with(L"|error|OK| disabled"))
      << box;
  EXPECT_EQ(main_.Hwnd(), nullptr);
}

TEST_F(MainWindowTest, WithNoOptionSelectedTabReachesThemAndTheFocusSurvivesMinimiseAndRestore) {
  registry_.PutDword(kHkcu, kAdvanced, u"Hidden", 0);
  Start(u"English");
  HWND hide = Control(Element::OptHide);
  ASSERT_EQ(::SendMessageW(hide, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  // Each option in turn, minimised and restored by the minimise box, then
  // as a taskbar does it.
  Keys({VK_TAB, VK_TAB});
  ASSERT_EQ(::GetFocus(), hide);
  ::SendMessageW(main_.Hwnd(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  ::SendMessageW(main_.Hwnd(), WM_SYSCOMMAND, SC_RESTORE, 0);
  PumpFor(100);
  EXPECT_EQ(::GetFocus(), hide);
  HWND show = Control(Element::OptShow);
  Keys({VK_TAB});
  ASSERT_EQ(::GetFocus(), show);
  ::ShowWindow(main_.Hwnd(), SW_MINIMIZE);
  ::ShowWindow(main_.Hwnd(), SW_RESTORE);
  PumpFor(100);
  EXPECT_EQ(::GetFocus(), show);
  ::SetFocus(main_.Hwnd());  // as a dialog passes it on
  EXPECT_EQ(::GetFocus(), show);
  Keys({VK_SPACE, VK_RETURN});  // selects the option; Enter presses no button
  EXPECT_EQ(::SendMessageW(show, BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_TRUE(boxes_.seen.empty());
}

TEST_F(MainWindowTest,
       StartsInPersianPaintsThePanelAndKeepsEveryElementInPlaceAtAnotherDpiAndInEnglish) {
  Start(u"Persian");
  ExpectLabelledInPlace(true);
  EXPECT_EQ(TextOf(Control(Element::txtCur)), Wide(kActivated.persian));
  EXPECT_EQ(::GetFocus(), Control(Element::cmdApply));
  // The panel between its rows of elements, and the status line right of
  // its text, on the button face.
  PumpFor(100);
  for (const auto& [x, y] : {std::pair{1800, 1380}, {1800, 1960}, {600, 500}}) {
    EXPECT_EQ(ColourAt(main_.Hwnd(), x, y), ::GetSysColor(COLOR_BTNFACE)) << x << "," << y;
  }
  // Another DPI: new fonts and new icons.
  const int dpi = ScreenDpi() == 96 ? 144 : 96;
  RECT suggested = OnScreen(main_.Hwnd());
  ::SetRect(&suggested, suggested.left + 10, suggested.top + 20, suggested.left + 500,
            suggested.top + 300);  // sized only roughly, as the system may
  ::SendMessageW(main_.Hwnd(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                 reinterpret_cast<LPARAM>(&suggested));
  RECT client{};
  ::GetClientRect(main_.Hwnd(), &client);
  EXPECT_EQ(client, Pixels({0, 0, 3720, 2760}, 0, 0, dpi));
  EXPECT_EQ(OnScreen(main_.Hwnd()).left, suggested.left);
  EXPECT_EQ(OnScreen(main_.Hwnd()).top, suggested.top);
  ExpectLabelledInPlace(true, dpi);
  for (const ElementFacts& facts : kElements) {
    EXPECT_NE(FontText(Control(facts.element)).find(dpi == 144 ? L" -17 " : L" -11 "),
              std::string::npos);
  }
  for (const auto& [which, size] : {std::pair{ICON_BIG, 32}, {ICON_SMALL, 16}}) {
    ICONINFO info{};
    ::GetIconInfo(reinterpret_cast<HICON>(::SendMessageW(main_.Hwnd(), WM_GETICON, which, 0)),
                  &info);
    BITMAP bitmap{};
    ::GetObjectW(info.hbmMask, sizeof bitmap, &bitmap);
    EXPECT_EQ(bitmap.bmWidth, size * dpi / 96) << which;
  }
  Choose(1, 0);
  ExpectLabelledInPlace(false, dpi);
  EXPECT_EQ(TextOf(Control(Element::txtCur)), Wide(kActivated.english));
}

}  // namespace
}  // namespace lumora::testing
