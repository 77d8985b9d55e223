#pragma once

// What the user sees, read off the screen: fonts, places in pixels, the
// pixels themselves; and the system's colours changed as a user changes them.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/toolkit/win32/message_loop.h"
#include "app/toolkit/win32/unique_handle.h"

// Rectangles compare by their edges and print as places; found by the
// type's own namespace.
inline bool operator==(const RECT& a, const RECT& b) { return ::EqualRect(&a, &b) != FALSE; }
inline void PrintTo(const RECT& r, std::ostream* out) {
  *out << "{left " << r.left << ", top " << r.top << ", width " << r.right - r.left << ", height "
       << r.bottom - r.top << "}";
}

namespace lumora::testing {

// Handles this thread's messages as the program's loop does, for a while.
inline void PumpFor(DWORD ms) {
  const ULONGLONG end = ::GetTickCount64() + ms;
  do {
    ProcessPendingMessages();
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  } while (::GetTickCount64() < end);
  ProcessPendingMessages();
}

// A window's font as "face height weight charset", and "+STYLED" for any
// italic, underline or strike-out.
inline std::wstring FontText(HWND hwnd) {
  LOGFONTW font{};
  ::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(hwnd, WM_GETFONT, 0, 0)), sizeof font, &font);
  return std::wstring(font.lfFaceName) + L' ' + std::to_wstring(font.lfHeight) + L' ' +
         std::to_wstring(font.lfWeight) + L' ' + std::to_wstring(font.lfCharSet) +
         (font.lfItalic + font.lfUnderline + font.lfStrikeOut != 0 ? L"+STYLED" : L"");
}

// The screen's DPI, which the windows take, and a length in twips as
// pixels at it, rounded to the nearest (for points to look at).
inline int ScreenDpi() {
  const UniqueScreenDc screen(::GetDC(nullptr));
  return ::GetDeviceCaps(screen.get(), LOGPIXELSY);
}
inline int Px(int twips, int dpi = ScreenDpi()) { return (twips * dpi + 720) / 1440; }

// A place in pixels as the test writes it down at 96 and at 144 DPI; and a
// window's rectangle on the screen.
inline RECT AtDpi(const RECT& at96, const RECT& at144, int dpi = ScreenDpi()) {
  return dpi == 144 ? at144 : at96;
}
inline RECT OnScreen(HWND hwnd) {
  RECT rect{};
  ::GetWindowRect(hwnd, &rect);
  return rect;
}
inline RECT ClientOnScreen(HWND hwnd) {
  RECT client{};
  ::GetClientRect(hwnd, &client);
  ::MapWindowPoints(hwnd, nullptr, reinterpret_cast<POINT*>(&client), 2);
  return client;
}
// What the user sees in a rectangle of the screen, row by row.
struct ScreenPixels {
  explicit ScreenPixels(const RECT& box)
      : width(box.right - box.left), height(box.bottom - box.top) {
    PumpFor(100);  // painted and on the screen
    const UniqueScreenDc screen(::GetDC(nullptr));
    const UniqueMemoryDc copy(::CreateCompatibleDC(screen.get()));
    const UniqueBitmap bitmap(::CreateCompatibleBitmap(screen.get(), width, height));
    {
      const UniqueSelection selected = Select(copy.get(), bitmap.get());
      ::BitBlt(copy.get(), 0, 0, width, height, screen.get(), box.left, box.top, SRCCOPY);
    }  // GetDIBits reads a bitmap no device context holds
    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<RGBQUAD> bits(static_cast<std::size_t>(width) * height);
    ::GetDIBits(copy.get(), bitmap.get(), 0, height, bits.data(), &info, DIB_RGB_COLORS);
    for (const RGBQUAD& bit : bits) pixels.push_back(RGB(bit.rgbRed, bit.rgbGreen, bit.rgbBlue));
  }
  [[nodiscard]] COLORREF At(int x, int y) const { return pixels[y * width + x]; }
  [[nodiscard]] std::ptrdiff_t Count(COLORREF colour) const {
    return std::ranges::count(pixels, colour);
  }

  int width, height;
  std::vector<COLORREF> pixels;
};

// The reading-direction styles a window carries of the two.
inline LONG Direction(HWND hwnd) {
  return ::GetWindowLongW(hwnd, GWL_EXSTYLE) & (WS_EX_LAYOUTRTL | WS_EX_RTLREADING);
}

// How many of a window's text pixels on the screen lie in its right half
// against its left: more for lines that end at the right edge.
inline std::ptrdiff_t InkRightOfLeft(HWND hwnd) {
  const ScreenPixels seen(OnScreen(hwnd));
  std::ptrdiff_t balance = 0;
  for (std::size_t i = 0; i < seen.pixels.size(); ++i) {
    if (seen.pixels[i] != ::GetSysColor(COLOR_BTNFACE))
      balance += i % seen.width < seen.width / 2U ? -1 : 1;
  }
  return balance;
}

// The system's colours changed in this process, as when the user picks
// another scheme, and set back when it goes: the button face, its light
// edge and the text on it.
struct ColourScheme {
  ColourScheme(COLORREF face, COLORREF light, COLORREF text) {
    std::ranges::transform(kWhich, kept, &::GetSysColor);
    Use({face, light, text, text});
  }
  ~ColourScheme() { Use(kept); }
  static void Use(const COLORREF (&colours)[4]) {
    ::SetSysColors(4, kWhich, colours);
    PumpFor(100);
  }

  static constexpr int kWhich[4] = {COLOR_BTNFACE, COLOR_3DLIGHT, COLOR_BTNTEXT, COLOR_WINDOWTEXT};
  COLORREF kept[4] = {};
};

// This thread's visible top-level windows.
inline BOOL CALLBACK AddShown(HWND hwnd, LPARAM list) {
  if (::IsWindowVisible(hwnd)) reinterpret_cast<std::vector<HWND>*>(list)->push_back(hwnd);
  return TRUE;
}
inline std::vector<HWND> ThreadWindows() {
  std::vector<HWND> windows;
  ::EnumThreadWindows(::GetCurrentThreadId(), &AddShown, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

// The title and menu bars changed in this process as when the user makes
// text bigger or picks another theme, and set back when it goes. Each change
// goes as Windows makes it: the metrics, every frame recalculated round its
// unchanged outer size, then the message each window is told by.
class SystemBars {
 public:
  SystemBars() {
    kept_.cbSize = sizeof kept_;
    ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof kept_, &kept_, 0);
  }
  ~SystemBars() { Scale(1, 1, WM_SETTINGCHANGE); }

  // Heights and fonts times numerator / denominator of what they were;
  // WM_SETTINGCHANGE or WM_THEMECHANGED tells the windows.
  void Scale(int numerator, int denominator, UINT message) const {
    NONCLIENTMETRICSW metrics = kept_;
    metrics.iCaptionHeight = metrics.iCaptionHeight * numerator / denominator;
    metrics.iMenuHeight = metrics.iMenuHeight * numerator / denominator;
    metrics.lfCaptionFont.lfHeight = metrics.lfCaptionFont.lfHeight * numerator / denominator;
    metrics.lfMenuFont.lfHeight = metrics.lfMenuFont.lfHeight * numerator / denominator;
    ::SystemParametersInfoW(SPI_SETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    const std::vector<HWND> windows = ThreadWindows();
    for (HWND w : windows) {
      ::SetWindowPos(w, nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    }
    for (HWND w : windows) {
      ::SendMessageW(
          w, message, message == WM_SETTINGCHANGE ? SPI_SETNONCLIENTMETRICS : 0,
          reinterpret_cast<LPARAM>(message == WM_SETTINGCHANGE ? L"WindowMetrics" : nullptr));
    }
    PumpFor(50);
  }

 private:
  NONCLIENTMETRICSW kept_{};
};

// The windows' font size, 8.25 points, regular, Arabic character set, as
// FontText writes it after the face.
inline std::wstring Regular825Points(int dpi = ScreenDpi()) {
  return dpi == 144 ? L" -17 400 178" : L" -11 400 178";
}

}  // namespace lumora::testing
