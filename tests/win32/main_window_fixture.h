#pragma once

// The main window built in this process, and where its elements stand.
// Its harness brings GoogleTest and the Windows API.
#include "app/toolkit/win32/dpi.h"
#include "texts.h"
#include "win32/harness.h"

namespace lumora::testing {

// Left, top, right, bottom in pixels from the client area's corner, at 96
// and 144 DPI: the described twips, each edge to the nearest pixel.
struct ElementFacts {
  Element element;
  bool turns;  // right to left in Persian
  RECT at96, at144;
};
inline const ElementFacts kElements[] = {
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
inline const RECT kClient96 = {0, 0, 248, 184}, kClient144 = {0, 0, 372, 276};

// As on Windows 8.1 and older: none of the per-monitor DPI functions, and
// where the thread is aware of each monitor's DPI by the first version of
// that awareness (Windows 10 1607), the frame scaled only for the windows
// that ask, which are recorded.
inline DPI_AWARENESS_CONTEXT g_awareness = DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE;
inline std::vector<HWND> g_scaled;
inline DPI_AWARENESS_CONTEXT WINAPI ThreadAwareness() { return g_awareness; }
inline BOOL WINAPI ScaleFrame(HWND hwnd) {
  g_scaled.push_back(hwnd);
  return TRUE;
}
// Windows 8.1's monitor DPI, answering what is set here.
inline UINT g_monitor_dpi = 96;
inline HRESULT WINAPI MonitorDpi(HMONITOR /*monitor*/, MONITOR_DPI_TYPE type, UINT* x, UINT* y) {
  *x = *y = type == MDT_EFFECTIVE_DPI ? g_monitor_dpi : 0;
  return S_OK;
}
struct OlderSystem {
  explicit OlderSystem(bool monitor_dpi = false) {
    SystemDpiFunctions() = {.dpi_for_monitor = monitor_dpi ? &MonitorDpi : nullptr,
                            .thread_awareness = &ThreadAwareness,
                            .same_awareness = kept.same_awareness,
                            .scale_frame = &ScaleFrame};
    // Whichever test ran before, in whichever file.
    g_awareness = DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE;
    g_scaled.clear();
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

}  // namespace lumora::testing
