// The main window built in this process and checked through the Win32 API:
// its elements, languages, keyboard, Apply, ending, focus, colours and DPI.
#include <gtest/gtest.h>
#include <windows.h>

#include "app/toolkit/win32/error_handler.h"
#include "win32/harness.h"

namespace lumora::testing {
namespace {

struct ElementFacts {
  Element element;
  const wchar_t* class_name;
  LONG type;               // the button or edit style that makes its kind
  bool tab_stop;           // OptHide selected holds its group's tab stop
  bool turns;              // right to left in Persian
  RECT twips;              // left, top, right, bottom from the client area's corner
  const wchar_t* english;  // nullptr: not labelled
  const wchar_t* persian;
};
// clang-format off
const ElementFacts kElements[] = {
    {Element::framOpt,  L"Button",      BS_GROUPBOX,        false, true,  {120, 120, 3615, 735},   L" Current Option : ",                    L" وضعيت فعلي : "},
    {Element::txtCur,   L"Edit",        ES_READONLY,        true,  false, {480, 360, 3255, 645},   nullptr,                                  nullptr},
    {Element::framMain, L"Button",      BS_GROUPBOX,        false, true,  {120, 840, 3615, 2655},  L" Main Controls : ",                     L" کنترل هاي اصلي : "},
    {Element::pic,      L"LumoraPanel", 0,                  false, false, {240, 1080, 3495, 2535}, nullptr,                                  nullptr},
    {Element::chkSuper, L"Button",      BS_AUTOCHECKBOX,    true,  true,  {240, 1120, 3495, 1315}, L"Show Super Hidden(system) files.",      L"فايل هاي سيستمي را نشان بده."},
    {Element::OptShow,  L"Button",      BS_AUTORADIOBUTTON, false, true,  {240, 1440, 3495, 1635}, L"Show hidden files and folders.",        L"فايل ها و فولدرهاي پنهان را نشان بده."},
    {Element::OptHide,  L"Button",      BS_AUTORADIOBUTTON, true,  true,  {240, 1700, 3495, 1895}, L"Do not show hidden files and folders.", L"فايل ها و فولدرهاي پنهان را مخفي کن."},
    {Element::cmdApply, L"Button",      BS_PUSHBUTTON,      true,  false, {360, 2040, 1215, 2535}, L"A&pply",                                L"اجرا"},
    {Element::cmdAbout, L"Button",      BS_PUSHBUTTON,      true,  false, {1440, 2040, 2295, 2535}, L"&About",                               L"... درباره"},
    {Element::cmdExit,  L"Button",      BS_PUSHBUTTON,      true,  false, {2520, 2040, 3375, 2535}, L"E&xit",                                L"خروج"},
};
// Menus and items by place in the menu bar; item -1 is the menu itself.
struct MenuText {
  int menu, item;
  const wchar_t *english, *persian;
};
const MenuText kMenus[] = {
    {0, -1, L"&File", L"فايل"},         {0, 0, L"A&pply\tCtrl+P", L"اجرا\tCtrl+P"},
    {0, 1, L"", L""},                        {0, 2, L"E&xit", L"خروج"},
    {1, -1, L"&Language", L"زبان"},     {1, 0, L"&English", L"انگليسي"},
    {1, 1, L"&Persian", L"فارسي"}, {2, -1, L"&Help", L"کمک"},
    {2, 0, L"&About", L"... درباره"},
};
// clang-format on

class MainWindowTest : public ProgramTest {
 protected:
  [[nodiscard]] UINT MenuState(int menu, int item) const {
    return ::GetMenuState(::GetSubMenu(::GetMenu(main_.Hwnd()), menu), item, MF_BYPOSITION);
  }

  // Every caption, menu text, check mark and direction of one language, and
  // each element where the description puts it in the client area.
  void ExpectLabelledInPlace(bool persian, int dpi = ScreenDpi()) const {
    EXPECT_EQ(TextOf(main_.Hwnd()), persian ? L"لومورا !" : L"Lumora!");
    const RECT client = ClientOnScreen(main_.Hwnd());
    for (const ElementFacts& facts : kElements) {
      SCOPED_TRACE(ElementName(facts.element));
      HWND control = Control(facts.element);
      if (const wchar_t* text = persian ? facts.persian : facts.english; text != nullptr) {
        EXPECT_EQ(TextOf(control), text);
      }
      RECT place = OnScreen(control);
      ::OffsetRect(&place, -client.left, -client.top);
      EXPECT_EQ(place, Pixels(facts.twips, 0, 0, dpi));
      EXPECT_EQ((::GetWindowLongW(control, GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0,
                facts.turns && persian);
    }
    EXPECT_EQ((::GetWindowLongW(main_.Hwnd(), GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0, persian);
    for (const auto& [menu, item, english, persian_text] : kMenus) {
      wchar_t text[64] = {};
      HMENU bar = ::GetMenu(main_.Hwnd());
      ::GetMenuStringW(item < 0 ? bar : ::GetSubMenu(bar, menu), item < 0 ? menu : item, text, 64,
                       MF_BYPOSITION);
      EXPECT_STREQ(text, persian ? persian_text : english) << menu << "." << item;
    }
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
    EXPECT_EQ(ClassOf(control), facts.class_name);
    const LONG style = ::GetWindowLongW(control, GWL_STYLE);
    EXPECT_EQ(style & (ClassOf(control) == L"Button" ? BS_TYPEMASK : facts.type), facts.type);
    EXPECT_EQ((style & WS_TABSTOP) != 0, facts.tab_stop);
    EXPECT_TRUE(::IsWindowVisible(control) && ::IsWindowEnabled(control));
    EXPECT_EQ(FontText(control),
              (facts.element == Element::pic ? L"MS Sans Serif" : L"Tahoma") + Regular825Points());
  }
  EXPECT_EQ(FontText(main_.Hwnd()), L"Tahoma" + Regular825Points());
  // The settings as stored: hidden files not shown, system files shown.
  EXPECT_EQ(::SendMessageW(Control(Element::OptHide), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(::SendMessageW(Control(Element::OptShow), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_EQ(::SendMessageW(Control(Element::chkSuper), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(TextOf(Control(Element::txtCur)), L"Hiding option is activated.");
  EXPECT_EQ(::GetFocus(), Control(Element::cmdApply));
  EXPECT_TRUE(boxes_.seen.empty());
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
  // The focus stays where it was when the about window closes, and when
  // another window was active meanwhile.
  ::SetFocus(Control(Element::OptHide));
  WithAbout([](HWND /*about*/) {}, [this] { Choose(2, 0); });  // Help > About
  EXPECT_EQ(::GetActiveWindow(), main_.Hwnd());
  EXPECT_EQ(::GetFocus(), Control(Element::OptHide));
  [] { const OtherWindow other; }();  // active a moment, then gone
  ::SetForegroundWindow(main_.Hwnd());
  PumpFor(50);
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
  EXPECT_EQ(TextOf(Control(Element::txtCur)), L"Hiding option is deactivated.");
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
  const HHOOK hook = ::SetWindowsHookExW(WH_CBT, &RefuseTextBoxes, nullptr, ::GetCurrentThreadId());
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
  EXPECT_TRUE(boxes_.seen[0].starts_with(L"|Run-time error '5':\n\nCreateWindowEx failed"))
      << boxes_.seen[0];
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
  EXPECT_EQ(TextOf(Control(Element::txtCur)), L".مخفي کردن فعال است");
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
  ::SendMessageW(main_.Hwnd(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                 reinterpret_cast<LPARAM>(&suggested));
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
  EXPECT_EQ(TextOf(Control(Element::txtCur)), L"Hiding option is activated.");
}

}  // namespace
}  // namespace lumora::testing
