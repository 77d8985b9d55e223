// The main window built in this process and checked through the Win32 API:
// its elements, languages, keyboard, Apply, focus and DPI.
#include <gtest/gtest.h>
#include <windows.h>

#include "app/toolkit/win32/dpi.h"
#include "texts.h"
#include "win32/harness.h"

namespace lumora::testing {
namespace {

// Left, top, right, bottom in pixels from the client area's corner, at 96
// and 144 DPI: the described twips, each edge to the nearest pixel.
struct ElementFacts {
  Element element;
  bool turns;  // right to left in Persian
  RECT at96, at144;
};
const ElementFacts kElements[] = {
    {Element::framOpt, true, {8, 8, 241, 49}, {12, 12, 362, 74}},
    {Element::txtCur, false, {32, 24, 217, 43}, {48, 36, 326, 65}},
    {Element::framMain, true, {8, 56, 241, 177}, {12, 84, 362, 266}},
    {Element::pic, false, {16, 72, 233, 169}, {24, 108, 350, 254}},
    {Element::chkSuper, true, {16, 75, 233, 88}, {24, 112, 350, 132}},
    {Element::OptShow, true, {16, 96, 233, 109}, {24, 144, 350, 164}},
    {Element::OptHide, true, {16, 113, 233, 126}, {24, 170, 350, 190}},
    {Element::cmdApply, false, {24, 136, 81, 169}, {36, 204, 122, 254}},
    {Element::cmdAbout, false, {96, 136, 153, 169}, {144, 204, 230, 254}},
    {Element::cmdExit, false, {168, 136, 225, 169}, {252, 204, 338, 254}},
};
const RECT kClient96 = {0, 0, 248, 184}, kClient144 = {0, 0, 372, 276};

// As on Windows 8.1 and older: none of the per-monitor DPI functions, and
// where the thread is aware of each monitor's DPI by the first version of
// that awareness (Windows 10 1607), the frame scaled only for the windows
// that ask, which are recorded.
DPI_AWARENESS_CONTEXT g_awareness = DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE;
std::vector<HWND> g_scaled;
DPI_AWARENESS_CONTEXT WINAPI ThreadAwareness() { return g_awareness; }
BOOL WINAPI ScaleFrame(HWND hwnd) {
  g_scaled.push_back(hwnd);
  return TRUE;
}
// Windows 8.1's monitor DPI, answering what is set here.
UINT g_monitor_dpi = 96;
HRESULT WINAPI MonitorDpi(HMONITOR /*monitor*/, MONITOR_DPI_TYPE type, UINT* x, UINT* y) {
  *x = *y = type == MDT_EFFECTIVE_DPI ? g_monitor_dpi : 0;
  return S_OK;
}
struct OlderSystem {
  explicit OlderSystem(bool monitor_dpi = false) {
    SystemDpiFunctions() = {.dpi_for_monitor = monitor_dpi ? &MonitorDpi : nullptr,
                            .thread_awareness = &ThreadAwareness,
                            .same_awareness = kept.same_awareness,
                            .scale_frame = &ScaleFrame};
  }
  ~OlderSystem() { SystemDpiFunctions() = kept; }
  OlderSystem(const OlderSystem&) = delete;
  OlderSystem& operator=(const OlderSystem&) = delete;

  DpiFunctions kept = SystemDpiFunctions();
};

class MainWindowTest : public ProgramTest {
 protected:
  // The text of the window, an element, or a menu or menu item (by its command).
  [[nodiscard]] std::wstring Shown(Element element) const {
    if (HWND hwnd = Control(element)) return TextOf(hwnd);
    wchar_t text[64] = {};
    ::GetMenuStringW(::GetMenu(main_.Hwnd()), ControlId(element), text, 64, MF_BYCOMMAND);
    return text;
  }

  // Every caption, menu text, check mark and direction of one language.
  void ExpectLabelled(bool persian) const {
    for (const Caption& caption : kMainCaptions) {
      const wchar_t* shortcut = caption.element == Element::mnuFileApply ? L"\tCtrl+P" : L"";
      EXPECT_EQ(Shown(caption.element),
                Wide(persian ? caption.persian : caption.english) + shortcut)
          << ElementName(caption.element);
    }
    for (const ElementFacts& facts : kElements) {
      // Mirrored, it reads right to left: the reading flag would reverse it.
      EXPECT_EQ(Direction(Control(facts.element)), facts.turns && persian ? WS_EX_LAYOUTRTL : 0)
          << ElementName(facts.element);
    }
    EXPECT_EQ(Direction(main_.Hwnd()), persian ? WS_EX_LAYOUTRTL : 0);
    HMENU languages = ::GetSubMenu(::GetMenu(main_.Hwnd()), 1);
    EXPECT_EQ((::GetMenuState(languages, 0, MF_BYPOSITION) & MF_CHECKED) != 0, !persian);
    EXPECT_EQ((::GetMenuState(languages, 1, MF_BYPOSITION) & MF_CHECKED) != 0, persian);
  }

  // Each element where the description puts it in the client area, and the
  // fonts and icons, at a DPI.
  void ExpectInPlace(int dpi = ScreenDpi()) const {
    const RECT client = ClientOnScreen(main_.Hwnd());
    for (const ElementFacts& facts : kElements) {
      SCOPED_TRACE(ElementName(facts.element));
      HWND control = Control(facts.element);
      RECT place = OnScreen(control);
      ::OffsetRect(&place, -client.left, -client.top);
      EXPECT_EQ(place, AtDpi(facts.at96, facts.at144, dpi));
      EXPECT_EQ(FontText(control), (facts.element == Element::pic ? L"MS Sans Serif" : L"Tahoma") +
                                       Regular825Points(dpi));
    }
    EXPECT_EQ(FontText(main_.Hwnd()), L"Tahoma" + Regular825Points(dpi));
    // The icons the title bar and the task switcher show: the window's, or its class's.
    for (const auto& [which, of_class, size] :
         {std::tuple{ICON_BIG, GCLP_HICON, 32}, {ICON_SMALL, GCLP_HICONSM, 16}}) {
      auto icon = static_cast<ULONG_PTR>(::SendMessageW(main_.Hwnd(), WM_GETICON, which, 0));
      if (icon == 0) icon = ::GetClassLongPtrW(main_.Hwnd(), of_class);
      ICONINFO info{};
      ::GetIconInfo(reinterpret_cast<HICON>(icon), &info);
      const UniqueBitmap mask(info.hbmMask), colour(info.hbmColor);
      BITMAP bitmap{};
      ::GetObjectW(mask.get(), sizeof bitmap, &bitmap);
      EXPECT_EQ(bitmap.bmWidth, size * dpi / 96) << which;
    }
  }

  // The push button with the focus is the default one, styled and drawn so,
  // and the only one; none is while the focus is on another element. Drawn
  // so: its left edge as the first default and plain buttons' were seen.
  void ExpectDefaultButton(Element focused) {
    const ScreenPixels seen(ClientOnScreen(main_.Hwnd()));
    const RECT client = ClientOnScreen(main_.Hwnd());
    for (const Element button : {Element::cmdApply, Element::cmdAbout, Element::cmdExit}) {
      SCOPED_TRACE(::testing::Message()
                   << ElementName(button) << " with the focus on " << ElementName(focused));
      const LONG type = ::GetWindowLongW(Control(button), GWL_STYLE) & BS_TYPEMASK;
      EXPECT_EQ(type == BS_DEFPUSHBUTTON, button == focused);
      const RECT place = OnScreen(Control(button));
      const COLORREF edge =
          seen.At(place.left - client.left, (place.top + place.bottom) / 2 - client.top);
      COLORREF& drawn = button == focused ? default_edge_ : plain_edge_;
      if (drawn == CLR_INVALID) drawn = edge;
      EXPECT_EQ(edge, drawn);
    }
    EXPECT_NE(default_edge_, plain_edge_);
  }

  COLORREF default_edge_ = CLR_INVALID, plain_edge_ = CLR_INVALID;
};

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

// What the system changes under the open window, shown or minimised, as
// Windows does it: a new DPI (the window shown is first asked its size at
// it, with the system's linear estimate, then given a rectangle of the size
// answered; a minimised one the rectangle it is parked in), or new title and
// menu bars (every frame recalculated round its outer size, then the
// message). It stands where suggested, or where it was once restored, with
// the described client area, its elements in place and the fonts and icons
// of its DPI; the about window, open or made after, keeps its client area too.
TEST_F(MainWindowTest, KeepsItsClientAreaAndPlacesThroughWhatTheSystemChanges) {
  Start(u"Persian");
  ExpectLabelled(true);
  const SystemBars bars;
  const auto fitted = [](HWND window, const RECT& at96, const RECT& at144, POINT corner,
                         int dpi = ScreenDpi()) {
    RECT client{};
    ::GetClientRect(window, &client);
    EXPECT_EQ(client, AtDpi(at96, at144, dpi));
    EXPECT_EQ(std::pair(OnScreen(window).left, OnScreen(window).top),
              std::pair(corner.x, corner.y));
  };
  // A change of DPI, or of the bars (times 3 or 2 halves) at the same DPI.
  const auto change = [&](int dpi, bool minimised, int bars_halves = 0, UINT told = 0) {
    SCOPED_TRACE(::testing::Message() << dpi << " DPI" << (minimised ? ", minimised" : "")
                                      << (bars_halves != 0 ? ", bars" : ""));
    const RECT before = OnScreen(main_.Hwnd());
    const auto old_dpi = static_cast<int>(::GetDpiForWindow(main_.Hwnd()));
    if (minimised) ::ShowWindow(main_.Hwnd(), SW_MINIMIZE);
    if (bars_halves != 0) bars.Scale(bars_halves, 2, told);
    // The frame of the DPI and the bars now round the described client area.
    RECT frame = AtDpi(kClient96, kClient144, dpi);
    ::AdjustWindowRectExForDpi(&frame, ::GetWindowLongW(main_.Hwnd(), GWL_STYLE), TRUE,
                               ::GetWindowLongW(main_.Hwnd(), GWL_EXSTYLE), dpi);
    const SIZE framed{frame.right - frame.left, frame.bottom - frame.top};
    RECT suggested = before;
    if (bars_halves == 0 && minimised) {
      suggested = {-32000, -32000, -32000 + 160 * dpi / 96, -32000 + 28 * dpi / 96};
    } else if (bars_halves == 0) {
      suggested = {before.left + 10, before.top + 20, before.left + 10 + framed.cx,
                   before.top + 20 + framed.cy};
      SIZE size{(before.right - before.left) * dpi / old_dpi,
                (before.bottom - before.top) * dpi / old_dpi};
      EXPECT_TRUE(
          ::SendMessageW(main_.Hwnd(), WM_GETDPISCALEDSIZE, dpi, reinterpret_cast<LPARAM>(&size)));
      EXPECT_EQ(std::pair(size.cx, size.cy), std::pair(framed.cx, framed.cy));
    }
    if (bars_halves == 0) {
      const RECT parked = OnScreen(main_.Hwnd());
      ::SendMessageW(main_.Hwnd(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                     reinterpret_cast<LPARAM>(&suggested));
      if (minimised) {
        EXPECT_EQ(OnScreen(main_.Hwnd()), parked);  // nothing placed from it
      }
    }
    if (minimised) {
      // To be restored where it was, in the frame of now.
      WINDOWPLACEMENT placement{};
      placement.length = sizeof placement;
      ::GetWindowPlacement(main_.Hwnd(), &placement);
      EXPECT_EQ(placement.rcNormalPosition,
                (RECT{before.left, before.top, before.left + framed.cx, before.top + framed.cy}));
      ::ShowWindow(main_.Hwnd(), SW_RESTORE);
      suggested = before;
    }
    fitted(main_.Hwnd(), kClient96, kClient144, {suggested.left, suggested.top}, dpi);
    ExpectInPlace(dpi);
  };
  const int first = ScreenDpi(), other = first == 96 ? 144 : 96;
  for (const bool persian : {true, false}) {
    change(other, persian);
    change(other, !persian, 3, WM_SETTINGCHANGE);
    change(first, false);
    change(other, false);
    change(other, persian, 2, WM_THEMECHANGED);
    change(first, !persian);
    Choose(1, 0);
  }
  const RECT about96{0, 0, 248, 119}, about144{0, 0, 372, 179};
  const POINT corner{OnScreen(main_.Hwnd()).left, OnScreen(main_.Hwnd()).top};
  bars.Scale(3, 2, WM_SETTINGCHANGE);
  WithAbout([&](HWND about) {
    const POINT at{OnScreen(about).left, OnScreen(about).top};
    fitted(about, about96, about144, at);  // made under them
    bars.Scale(2, 2, WM_THEMECHANGED);
    fitted(about, about96, about144, at);
  });
  fitted(main_.Hwnd(), kClient96, kClient144, corner);
}

// Windows 8.1: no DPI of the window's, its monitor's instead, at another DPI
// than the system's; moved to a monitor at the system's.
TEST_F(MainWindowTest, WithoutTheWindowsDpiTakesItsMonitorsAtStartAndAfterAMove) {
  const OlderSystem older(true);
  const int system = ScreenDpi();
  g_monitor_dpi = system == 96 ? 144 : 96;
  Start(u"English");
  ExpectInPlace(static_cast<int>(g_monitor_dpi));
  g_monitor_dpi = system;
  RECT suggested = OnScreen(main_.Hwnd());
  ::SendMessageW(main_.Hwnd(), WM_DPICHANGED, MAKEWPARAM(system, system),
                 reinterpret_cast<LPARAM>(&suggested));
  ExpectInPlace(system);
}

}  // namespace
}  // namespace lumora::testing
