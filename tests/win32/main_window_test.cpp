// The main window built in this process, checked through the Win32 API.
#include <gtest/gtest.h>
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <algorithm>
#include <map>
#include <string>

#include "win32/program.h"

namespace lumora::testing {
namespace {

// Twips from the client area's top-left corner.
struct Place {
  int left, top, width, height;
};

struct ElementFacts {
  Element element;
  const wchar_t* class_name;
  LONG type;      // the button or edit style that makes its kind
  bool tab_stop;  // as started with OptHide selected, which holds its group's tab stop
  Place place;
  const wchar_t* english;  // nullptr: not labelled
  const wchar_t* persian;
};

// clang-format off
const ElementFacts kElements[] = {
    {Element::framOpt,  L"Button",      BS_GROUPBOX,        false, {120, 120, 3495, 615},   L" Current Option : ",                    L" وضعيت فعلي : "},
    {Element::txtCur,   L"Edit",        ES_READONLY,        true,  {480, 360, 2775, 285},   nullptr,                                  nullptr},
    {Element::framMain, L"Button",      BS_GROUPBOX,        false, {120, 840, 3495, 1815},  L" Main Controls : ",                     L" کنترل هاي اصلي : "},
    {Element::pic,      L"LumoraPanel", 0,                  false, {240, 1080, 3255, 1455}, nullptr,                                  nullptr},
    {Element::chkSuper, L"Button",      BS_AUTOCHECKBOX,    true,  {240, 1120, 3255, 195},  L"Show Super Hidden(system) files.",      L"فايل هاي سيستمي را نشان بده."},
    {Element::OptShow,  L"Button",      BS_AUTORADIOBUTTON, false, {240, 1440, 3255, 195},  L"Show hidden files and folders.",        L"فايل ها و فولدرهاي پنهان را نشان بده."},
    {Element::OptHide,  L"Button",      BS_AUTORADIOBUTTON, true,  {240, 1700, 3255, 195},  L"Do not show hidden files and folders.", L"فايل ها و فولدرهاي پنهان را مخفي کن."},
    {Element::cmdApply, L"Button",      BS_PUSHBUTTON,      true,  {360, 2040, 855, 495},   L"A&pply",                                L"اجرا"},
    {Element::cmdAbout, L"Button",      BS_PUSHBUTTON,      true,  {1440, 2040, 855, 495},  L"&About",                                L"... درباره"},
    {Element::cmdExit,  L"Button",      BS_PUSHBUTTON,      true,  {2520, 2040, 855, 495},  L"E&xit",                                 L"خروج"},
};

// Menu and item by position in the menu bar; item -1 is the menu itself.
struct MenuFacts {
  int menu, item;
  const wchar_t* english;
  const wchar_t* persian;
};
const MenuFacts kMenus[] = {
    {0, -1, L"&File",           L"فايل"},
    {0, 0,  L"A&pply\tCtrl+P",  L"اجرا\tCtrl+P"},
    {0, 1,  L"",                L""},
    {0, 2,  L"E&xit",           L"خروج"},
    {1, -1, L"&Language",       L"زبان"},
    {1, 0,  L"&English",        L"انگليسي"},
    {1, 1,  L"&Persian",        L"فارسي"},
    {2, -1, L"&Help",           L"کمک"},
    {2, 0,  L"&About",          L"... درباره"},
};
// clang-format on

const std::u16string kSavePersian = u"save NorvaleSoft\\Lumora\\Language=Persian";
const wchar_t kActivatedEnglish[] = L"Hiding option is activated.";
const wchar_t kActivatedPersian[] = L".مخفي کردن فعال است";
const wchar_t kDeactivatedEnglish[] = L"Hiding option is deactivated.";

// Controls that were given a new font while the one they held was already freed.
std::vector<int>& FreedWhileUsed() {
  static std::vector<int> controls;
  return controls;
}

LRESULT CALLBACK WatchFonts(HWND hwnd, UINT message, WPARAM w_param, LPARAM l_param,
                            UINT_PTR /*id*/, DWORD_PTR /*data*/) {
  if (message == WM_SETFONT) {
    auto* held = reinterpret_cast<HFONT>(::SendMessageW(hwnd, WM_GETFONT, 0, 0));
    if (held != nullptr && ::GetObjectType(held) != OBJ_FONT) {
      FreedWhileUsed().push_back(::GetDlgCtrlID(hwnd));
    }
  }
  return ::DefSubclassProc(hwnd, message, w_param, l_param);
}

int FontHeight() {
  // 8.25 points, as a character height in pixels.
  return ScreenDpi() == 144 ? -17 : -11;
}

class MainWindowTest : public ProgramTest {
 protected:
  HMENU Menu(int menu) const { return ::GetSubMenu(::GetMenu(main.Hwnd()), menu); }
  bool MenuChecked(int menu, int item) const {
    return (::GetMenuState(Menu(menu), static_cast<UINT>(item), MF_BYPOSITION) & MF_CHECKED) != 0;
  }

  // Every caption, menu text, check mark and reading direction of one language.
  void ExpectLabelled(bool persian) const {
    EXPECT_EQ(TextOf(main.Hwnd()), persian ? L"لومورا !" : L"Lumora!");
    for (const ElementFacts& facts : kElements) {
      if (facts.english == nullptr) continue;
      EXPECT_EQ(TextOf(Control(facts.element)), persian ? facts.persian : facts.english)
          << ElementName(facts.element);
    }
    HMENU bar = ::GetMenu(main.Hwnd());
    for (const MenuFacts& facts : kMenus) {
      HMENU menu = facts.item < 0 ? bar : Menu(facts.menu);
      const UINT position = static_cast<UINT>(facts.item < 0 ? facts.menu : facts.item);
      EXPECT_EQ(MenuText(menu, position), persian ? facts.persian : facts.english)
          << facts.menu << "." << facts.item;
    }
    EXPECT_NE(::GetMenuState(Menu(0), 1, MF_BYPOSITION) & MF_SEPARATOR, 0U);
    EXPECT_EQ(MenuChecked(1, 0), !persian);
    EXPECT_EQ(MenuChecked(1, 1), persian);
    for (const Element element : {Element::framOpt, Element::framMain, Element::chkSuper,
                                  Element::OptShow, Element::OptHide, Element::frmMain}) {
      EXPECT_EQ((::GetWindowLongW(Control(element), GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0, persian)
          << ElementName(element);
    }
    for (const Element element :
         {Element::cmdApply, Element::cmdAbout, Element::cmdExit, Element::txtCur, Element::pic}) {
      EXPECT_EQ(::GetWindowLongW(Control(element), GWL_EXSTYLE) & WS_EX_LAYOUTRTL, 0)
          << ElementName(element);
    }
  }

  // Each element where the description puts it on screen, in either direction.
  void ExpectInPlace() const {
    for (const ElementFacts& facts : kElements) {
      RECT rect{};
      ::GetWindowRect(Control(facts.element), &rect);
      const Place& p = facts.place;
      EXPECT_EQ(rect.left, Px(5820) + Px(p.left)) << ElementName(facts.element);
      EXPECT_EQ(rect.top, Px(2940) + Px(p.top)) << ElementName(facts.element);
      EXPECT_EQ(rect.right, Px(5820) + Px(p.left + p.width)) << ElementName(facts.element);
      EXPECT_EQ(rect.bottom, Px(2940) + Px(p.top + p.height)) << ElementName(facts.element);
    }
  }
};

TEST_F(MainWindowTest, StartsInEnglishBuiltAsDescribed) {
  Start(u"English");
  ASSERT_TRUE(ScreenDpi() == 96 || ScreenDpi() == 144);
  ExpectLabelled(false);
  ExpectInPlace();

  RECT client{};
  ::GetClientRect(main.Hwnd(), &client);
  EXPECT_EQ(client.right, Px(3720));
  EXPECT_EQ(client.bottom, Px(2760));
  POINT origin{0, 0};
  ::ClientToScreen(main.Hwnd(), &origin);
  EXPECT_EQ(origin.x, Px(5820));
  EXPECT_EQ(origin.y, Px(2940));

  for (const ElementFacts& facts : kElements) {
    SCOPED_TRACE(ElementName(facts.element));
    HWND control = Control(facts.element);
    EXPECT_EQ(ClassOf(control), facts.class_name);
    const LONG style = ::GetWindowLongW(control, GWL_STYLE);
    const LONG type_mask = ClassOf(control) == L"Button" ? BS_TYPEMASK : facts.type;
    EXPECT_EQ(style & type_mask, facts.type);
    EXPECT_EQ((style & WS_TABSTOP) != 0, facts.tab_stop);
    EXPECT_TRUE(::IsWindowVisible(control));
    EXPECT_TRUE(::IsWindowEnabled(control));
    const LOGFONTW font = FontOf(control);
    EXPECT_STREQ(font.lfFaceName, facts.element == Element::pic ? L"MS Sans Serif" : L"Tahoma");
    EXPECT_EQ(font.lfHeight, FontHeight());
    EXPECT_EQ(font.lfWeight, 400);
    EXPECT_EQ(font.lfCharSet, 178);
    EXPECT_FALSE(font.lfItalic || font.lfUnderline || font.lfStrikeOut);
  }
  const LOGFONTW window_font = FontOf(main.Hwnd());
  EXPECT_STREQ(window_font.lfFaceName, L"Tahoma");
  EXPECT_EQ(window_font.lfHeight, FontHeight());

  // The settings as stored: hidden files not shown, system files shown.
  EXPECT_EQ(Checked(Element::OptHide), BST_CHECKED);
  EXPECT_EQ(Checked(Element::OptShow), BST_UNCHECKED);
  EXPECT_EQ(Checked(Element::chkSuper), BST_CHECKED);
  EXPECT_EQ(TextOf(Control(Element::txtCur)), kActivatedEnglish);
  EXPECT_EQ(::GetFocus(), Control(Element::cmdApply));
  EXPECT_TRUE(boxes_.seen.empty());
}

TEST_F(MainWindowTest, StartsInPersianRightToLeftAndSwitchesBackWithEveryElementInPlace) {
  Start(u"Persian");
  ExpectLabelled(true);
  ExpectInPlace();
  EXPECT_EQ(TextOf(Control(Element::txtCur)), kActivatedPersian);
  EXPECT_EQ(::GetFocus(), Control(Element::cmdApply));
  Choose(1, 0);
  ExpectLabelled(false);
  ExpectInPlace();
  EXPECT_EQ(TextOf(Control(Element::txtCur)), kActivatedEnglish);
  EXPECT_EQ(Checked(Element::OptHide), BST_CHECKED);
}

TEST_F(MainWindowTest, ALoadStoppedEarlyLeavesTheWindowAsCreated) {
  store.fail_get = true;
  Start(std::nullopt);
  EXPECT_EQ(TextOf(main.Hwnd()), L"Lumora!");
  EXPECT_EQ(TextOf(Control(Element::chkSuper)), L"Show Super Hidden(System) Files.");
  EXPECT_EQ(TextOf(Control(Element::OptShow)), L"Show Hidden Files And Folders.");
  EXPECT_EQ(TextOf(Control(Element::OptHide)), L"Do Not Show Hidden Files And Folders.");
  EXPECT_EQ(Checked(Element::OptHide), BST_UNCHECKED);
  EXPECT_EQ(Checked(Element::chkSuper), BST_UNCHECKED);
  EXPECT_FALSE(MenuChecked(1, 0));
  EXPECT_FALSE(MenuChecked(1, 1));
  EXPECT_TRUE(boxes_.seen.empty());
  EXPECT_TRUE(::IsWindowVisible(main.Hwnd()));
}

TEST_F(MainWindowTest, ApplyByButtonMenuAndShortcutWritesAndConfirmsOverTheMainWindow) {
  Start(u"English");
  Click(Element::OptShow);
  Click(Element::chkSuper);
  Click(Element::cmdApply);
  const auto stored = [this](const char16_t* name) {
    return registry.Key(kHkcu, kAdvanced)->at(name);
  };
  EXPECT_EQ(stored(u"Hidden"), (StoredValue{4, {1, 0, 0, 0}}));
  EXPECT_EQ(stored(u"ShowSuperHidden"), (StoredValue{4, {0, 0, 0, 0}}));
  EXPECT_EQ(TextOf(Control(Element::txtCur)), kDeactivatedEnglish);
  ASSERT_EQ(boxes_.seen.size(), 1U);
  EXPECT_EQ(boxes_.seen[0].owner, main.Hwnd());
  EXPECT_FALSE(boxes_.seen[0].owner_enabled);
  EXPECT_EQ(boxes_.seen[0].title, L"Changed");
  EXPECT_EQ(boxes_.seen[0].text, L" Option changes successfully! Good Luck!");
  EXPECT_EQ(boxes_.seen[0].icon_flag, static_cast<UINT>(MB_ICONINFORMATION));
  EXPECT_FALSE(boxes_.seen[0].has_cancel);
  EXPECT_TRUE(::IsWindowEnabled(main.Hwnd()));

  Click(Element::OptHide);
  Choose(0, 0);  // File > Apply
  EXPECT_EQ(stored(u"Hidden"), (StoredValue{4, {2, 0, 0, 0}}));
  ASSERT_EQ(boxes_.seen.size(), 2U);

  Click(Element::chkSuper);
  Keys({'P'}, VK_CONTROL);
  EXPECT_EQ(stored(u"ShowSuperHidden"), (StoredValue{4, {1, 0, 0, 0}}));
  ASSERT_EQ(boxes_.seen.size(), 3U);
  EXPECT_EQ(boxes_.seen[2].owner, main.Hwnd());
}

TEST_F(MainWindowTest, ApplyFromAnotherActiveWindowStillOwnsItsBox) {
  Start(u"Persian");
  const OtherWindow other;
  ASSERT_EQ(::GetActiveWindow(), other.Hwnd());
  // As an automation tool or a screen reader presses the button: the click
  // arrives without the window being activated.
  HWND apply = Control(Element::cmdApply);
  ::SendMessageW(main.Hwnd(), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(apply), BN_CLICKED),
                 reinterpret_cast<LPARAM>(apply));
  ASSERT_EQ(boxes_.seen.size(), 1U);
  EXPECT_EQ(boxes_.seen[0].owner, main.Hwnd());
  EXPECT_FALSE(boxes_.seen[0].owner_enabled);
  EXPECT_EQ(boxes_.seen[0].title, L"Changed");
  EXPECT_EQ(boxes_.seen[0].text, L" ! تغييرات به طور موفقيت آميزي اعمال شد! موفق باشيد ");
}

TEST_F(MainWindowTest, ClosingTheWindowUnderItsBoxUnloadsOnceWithoutAnError) {
  Start(u"Persian");
  boxes_.on_open = [this](HWND /*box*/) { ::PostMessageW(main.Hwnd(), WM_CLOSE, 0, 0); };
  EXPECT_NO_THROW(ui.MsgBox(u"text", 64, u"title"));
  EXPECT_EQ(main.Hwnd(), nullptr);
  EXPECT_EQ(store.log.back(), kSavePersian);
  EXPECT_EQ(store.log.size(), 3U);  // two readings at start-up, one save
  MSG quit{};
  ASSERT_TRUE(::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(quit.wParam, 0U);
}

TEST_F(MainWindowTest, TheSessionEndingUnderTheConfirmationSavesOnce) {
  Start(u"Persian");
  LRESULT answer = FALSE;
  boxes_.on_open = [&](HWND box) {
    RunSoon([&, box] {
      answer = ::SendMessageW(main.Hwnd(), WM_QUERYENDSESSION, 0, 0);
      ::SendMessageW(main.Hwnd(), WM_ENDSESSION, TRUE, 0);
      ::PostMessageW(box, WM_COMMAND, IDOK, 0);
    });
  };
  Click(Element::cmdApply);
  EXPECT_EQ(answer, TRUE);
  EXPECT_EQ(store.log.back(), kSavePersian);
  ::SendMessageW(main.Hwnd(), WM_CLOSE, 0, 0);
  EXPECT_EQ(main.Hwnd(), nullptr);
  EXPECT_EQ(store.log.size(), 3U);  // the unload event ran once
}

TEST_F(MainWindowTest, KeyboardWalksTheFocusOrderAndEscapeDoesNothing) {
  Start(u"English");
  ASSERT_EQ(::GetFocus(), Control(Element::cmdApply));
  // The selected option holds its group's tab stop.
  for (const Element next : {Element::cmdAbout, Element::OptHide, Element::chkSuper,
                             Element::cmdExit, Element::txtCur, Element::cmdApply}) {
    Keys({VK_TAB});
    EXPECT_EQ(::GetFocus(), Control(next)) << ElementName(next);
  }
  Keys({VK_ESCAPE});
  EXPECT_NE(main.Hwnd(), nullptr);
  EXPECT_TRUE(boxes_.seen.empty());
  Keys({VK_RETURN});  // presses the focused Apply
  ASSERT_EQ(boxes_.seen.size(), 1U);
  Keys({'P'}, VK_MENU);  // A&pply
  ASSERT_EQ(boxes_.seen.size(), 2U);
  bool about_opened = false;
  RunSoon([&] {
    about_opened = About() != nullptr;
    ::SendMessageW(About(), WM_CLOSE, 0, 0);
  });
  Keys({'A'}, VK_MENU);  // &About
  EXPECT_TRUE(about_opened);
  EXPECT_EQ(About(), nullptr);
}

TEST_F(MainWindowTest, ADpiChangeGivesNewFontsBeforeFreeingTheOldAndNewIcons) {
  Start(u"English");
  const int dpi = ScreenDpi() == 96 ? 144 : 96;
  FreedWhileUsed().clear();
  for (const ElementFacts& facts : kElements) {
    ::SetWindowSubclass(Control(facts.element), &WatchFonts, 1, 0);
  }
  RECT suggested{};
  ::GetWindowRect(main.Hwnd(), &suggested);
  ::SendMessageW(main.Hwnd(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                 reinterpret_cast<LPARAM>(&suggested));
  EXPECT_TRUE(FreedWhileUsed().empty());
  for (const ElementFacts& facts : kElements) {
    EXPECT_EQ(FontOf(Control(facts.element)).lfHeight, dpi == 144 ? -17 : -11)
        << ElementName(facts.element);
  }
  using MetricsForDpi = int(WINAPI*)(int, UINT);
  const auto metrics = reinterpret_cast<MetricsForDpi>(reinterpret_cast<void*>(
      ::GetProcAddress(::GetModuleHandleW(L"user32.dll"), "GetSystemMetricsForDpi")));
  ASSERT_NE(metrics, nullptr);
  for (const auto& [which, metric] : {std::pair{ICON_BIG, SM_CXICON}, {ICON_SMALL, SM_CXSMICON}}) {
    auto* icon = reinterpret_cast<HICON>(::SendMessageW(main.Hwnd(), WM_GETICON, which, 0));
    ICONINFO info{};
    ASSERT_TRUE(::GetIconInfo(icon, &info));
    BITMAP bitmap{};
    ::GetObjectW(info.hbmColor != nullptr ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
    EXPECT_EQ(bitmap.bmWidth, metrics(metric, static_cast<UINT>(dpi))) << which;
    ::DeleteObject(info.hbmColor);
    ::DeleteObject(info.hbmMask);
  }
}

}  // namespace
}  // namespace lumora::testing
