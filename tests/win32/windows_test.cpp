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
    EXPECT_EQ((MenuState(1, 0) & MF_CHECKED) != 0, !persian);
    EXPECT_EQ((MenuState(1, 1) & MF_CHECKED) != 0, persian);
  }
};

TEST_F(MainWindowTest, StartsInEnglishBuiltAsDescribedTakesTheKeyboardAndKeepsItsFocus) {
  Start(u"English");
  ExpectLabelledInPlace(false);
  for (const ElementFacts& facts : kElements) {
    SCOPED_TRACE(ElementName(facts.element));
    HWND control = Control(facts.element);
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
  // Each language chosen in the Language menu: by its keys, by the mouse.
  Keys({'L'}, VK_MENU, {'P'});
  ExpectLabelledInPlace(true);
  Choose(1, 0);
  ExpectLabelledInPlace(false);
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
  Click(Element::OptHide);
  Choose(0, 0);  // File > Apply
  EXPECT_EQ(stored(u"Hidden"), 2);
  Click(Element::chkSuper);
  Keys({'P'}, VK_CONTROL);
  EXPECT_EQ(stored(u"ShowSuperHidden"), 1);
  EXPECT_EQ(boxes_.seen.size(), 3U);
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

TEST_F(MainWindowTest,
       StartsInPersianPaintsThePanelAndKeepsEveryElementInPlaceThroughChangesOfDpi) {
  Start(u"Persian");
  ExpectLabelledInPlace(true);
  EXPECT_EQ(TextOf(Control(Element::txtCur)), Wide(kActivated.persian));
  EXPECT_EQ(::GetFocus(), Control(Element::cmdApply));
  // Changes of DPI as Windows sends them: to the window shown, with a
  // rectangle sized only roughly; to the window minimised, with the one it
  // is parked in. It stands where suggested, or where it was once restored,
  // with the described client area, and the fonts and icons of the DPI.
  const auto change = [this](int dpi, bool minimised, bool persian) {
    SCOPED_TRACE(::testing::Message() << dpi << (minimised ? " DPI, minimised" : " DPI"));
    const RECT before = OnScreen(main_.Hwnd());
    RECT suggested{before.left + 10, before.top + 20, before.left + 500, before.top + 300};
    if (minimised) {
      ::ShowWindow(main_.Hwnd(), SW_MINIMIZE);
      suggested = {-32000, -32000, -32000 + 160 * dpi / 96, -32000 + 28 * dpi / 96};
    }
    const RECT parked = OnScreen(main_.Hwnd());
    ::SendMessageW(main_.Hwnd(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                   reinterpret_cast<LPARAM>(&suggested));
    if (minimised) {
      EXPECT_EQ(OnScreen(main_.Hwnd()), parked);  // nothing placed from a minimised window
      // To be restored where it was, round the client area of the new DPI.
      WINDOWPLACEMENT placement{};
      placement.length = sizeof placement;
      ::GetWindowPlacement(main_.Hwnd(), &placement);
      const RECT& normal = placement.rcNormalPosition;
      EXPECT_EQ(std::pair(normal.left, normal.top), std::pair(before.left, before.top));
      EXPECT_TRUE(normal.right - normal.left > Px(3720, dpi) &&
                  normal.right - normal.left < Px(3720, dpi) + 40 &&
                  normal.bottom - normal.top > Px(2760, dpi) &&
                  normal.bottom - normal.top < Px(2760, dpi) + 120)
          << "restored as " << ::testing::PrintToString(normal);
      ::ShowWindow(main_.Hwnd(), SW_RESTORE);
      suggested = before;
    }
    RECT client{};
    ::GetClientRect(main_.Hwnd(), &client);
    EXPECT_EQ(client, Pixels({0, 0, 3720, 2760}, 0, 0, dpi));
    EXPECT_EQ(OnScreen(main_.Hwnd()).left, suggested.left);
    EXPECT_EQ(OnScreen(main_.Hwnd()).top, suggested.top);
    ExpectLabelledInPlace(persian, dpi);
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
  };
  const int first = ScreenDpi(), other = first == 96 ? 144 : 96;
  change(other, true, true);
  Choose(1, 0);
  change(first, true, false);
  change(other, false, false);
  EXPECT_EQ(TextOf(Control(Element::txtCur)), Wide(kActivated.english));
}

}  // namespace
}  // namespace lumora::testing
