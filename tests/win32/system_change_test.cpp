// What the system changes under the main window built in this process: the
// DPI, the title and menu bars, the DPI functions Windows 8.1 lacks.
#include "win32/main_window_fixture.h"

namespace lumora::testing {
namespace {

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
