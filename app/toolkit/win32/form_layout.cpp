// The window's layout: fonts and icons at its DPI, each element's place in
// pixels, mirrored containers, and a change of DPI.
#include <utility>

#include "app/toolkit/win32/dpi.h"
#include "app/toolkit/win32/element_kinds.h"
#include "app/toolkit/win32/form_window.h"
#include "app/toolkit/win32/platform_error.h"
#include "app/toolkit/win32/text.h"
#include "app/toolkit/win32/window_class.h"

namespace lumora {

FormWindow::Fonts FormWindow::MakeFonts() const {
  const auto make = [this](const FontDesc& desc) {
    const std::u16string face(desc.face);
    return UniqueFont(CheckLastError(
        ::CreateFontW(FontHeightForPoints(desc.hundredths_of_point, dpi_), 0, 0, 0, desc.weight,
                      FALSE, FALSE, FALSE, static_cast<DWORD>(desc.charset), OUT_DEFAULT_PRECIS,
                      CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                      WideView(face)),
        u"CreateFont"));
  };
  Fonts fonts;
  fonts.window = make(desc_.window_font);
  if (!desc_.panel_font.face.empty()) fonts.panel = make(desc_.panel_font);
  return fonts;
}

void FormWindow::UseFonts(Fonts fonts, bool redraw) {
  for (const ElementDesc& desc : desc_.elements) {
    HFONT font = TraitsOf(desc.kind).takes_panel_font && fonts.panel ? fonts.panel.get()
                                                                     : fonts.window.get();
    ::SendMessageW(Handle(desc.element), WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw);
  }
  // Only now is no element drawn with the old fonts: free them.
  fonts_ = std::move(fonts);
}

void FormWindow::UseIcons() {
  // The class's icons are of the system's DPI; a window that has been at
  // another has its own. (Setting them is costly: Wine passes each to the X
  // server.)
  if (!icons_.large_icon && dpi_ == DpiOf(nullptr)) return;
  HINSTANCE instance = ::GetModuleHandleW(nullptr);
  const auto load = [&](int metric) {
    const int size = SystemMetricAt(metric, dpi_);
    return UniqueIcon(static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(frame_.icon_id),
                                                      IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
  };
  Icons icons{load(SM_CXICON), load(SM_CXSMICON)};
  ::SendMessageW(Hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icons.large_icon.get()));
  ::SendMessageW(Hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icons.small_icon.get()));
  icons_ = std::move(icons);
}

void FormWindow::PlaceElement(const ElementDesc& desc) const {
  HWND control = Handle(desc.element);
  HWND container = Handle(desc.container);
  if (control == nullptr || container == nullptr) return;
  PixelRect rect = ToPixels(desc.rect, dpi_);
  // A right-to-left container measures from its right edge, where the
  // description puts it: a minimised window's client area is another.
  if ((::GetWindowLongW(container, GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0) {
    const ElementDesc* holder = Describe(desc.container);
    rect =
        MirroredForRightToLeft(rect, holder != nullptr ? ToPixels(holder->rect, dpi_).width
                                                       : TwipsToPixels(desc_.client_width, dpi_));
  }
  ::SetWindowPos(control, nullptr, rect.left, rect.top, rect.width, rect.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void FormWindow::PlaceOnScreen() {
  RECT window{};
  ::GetWindowRect(Hwnd(), &window);
  POINT client{0, 0};
  ::ClientToScreen(Hwnd(), &client);
  PlaceFrame(TwipsToPixels(desc_.screen_left, dpi_) - (client.x - window.left),
             TwipsToPixels(desc_.screen_top, dpi_) - (client.y - window.top));
}

void FormWindow::PlaceFrame(int left, int top) const {
  RECT window{};
  ::GetWindowRect(Hwnd(), &window);
  // The menu bar may wrap or the frame differ from the estimate: size the
  // client area exactly.
  RECT inside{};
  ::GetClientRect(Hwnd(), &inside);
  const int width =
      (window.right - window.left) + TwipsToPixels(desc_.client_width, dpi_) - inside.right;
  const int height =
      (window.bottom - window.top) + TwipsToPixels(desc_.client_height, dpi_) - inside.bottom;
  if (left != window.left || top != window.top || width != window.right - window.left ||
      height != window.bottom - window.top) {
    ::SetWindowPos(Hwnd(), nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void FormWindow::FitFrame() const {
  if (!::IsIconic(Hwnd())) {
    RECT window{};
    ::GetWindowRect(Hwnd(), &window);
    PlaceFrame(window.left, window.top);
    return;
  }
  // Restored where it was, with the frame its DPI and the system's bars give.
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  ::GetWindowPlacement(Hwnd(), &placement);
  const RECT frame = FrameAt(dpi_);
  placement.rcNormalPosition.right = placement.rcNormalPosition.left + frame.right - frame.left;
  placement.rcNormalPosition.bottom = placement.rcNormalPosition.top + frame.bottom - frame.top;
  placement.showCmd = SW_SHOWMINNOACTIVE;  // stays minimised, and inactive if it was
  ::SetWindowPlacement(Hwnd(), &placement);
}

void FormWindow::SetMirrored(HWND hwnd, bool mirrored) {
  // A mirrored window reads right to left already; the reading-order flag
  // beside it would reverse that back to left to right.
  if (!ChangeStyle(hwnd, GWL_EXSTYLE, WS_EX_LAYOUTRTL | WS_EX_RTLREADING,
                   mirrored ? WS_EX_LAYOUTRTL : 0)) {
    return;
  }
  // Contents measured from the other edge now: put them back where they stand.
  for (const ElementDesc& desc : desc_.elements) {
    if (Handle(desc.container) == hwnd) PlaceElement(desc);
  }
  ::SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  if (hwnd == Hwnd() && ::GetMenu(Hwnd()) != nullptr && ::IsWindowVisible(Hwnd())) {
    ::DrawMenuBar(Hwnd());
  }
}

RECT FormWindow::FrameAt(int dpi) const {
  return FrameAround(
      {TwipsToPixels(desc_.client_width, dpi), TwipsToPixels(desc_.client_height, dpi)},
      frame_.style, frame_.ex_style, !desc_.menu.empty(), dpi);
}

HWND FormWindow::DefaultButton() const {
  for (const ElementDesc& desc : desc_.elements) {
    if (RunsClicks(desc.kind) && Handle(desc.element) == focus_) return focus_;
  }
  return nullptr;
}

bool FormWindow::MarkDefaultButton(bool restyle) const {
  HWND default_button = DefaultButton();
  bool marked = true;
  for (const ElementDesc& desc : desc_.elements) {
    if (!RunsClicks(desc.kind)) continue;
    HWND button = Handle(desc.element);
    const LONG style = ::GetWindowLongW(button, GWL_STYLE);
    const LONG type = button == default_button ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
    if ((style & BS_TYPEMASK) == type) continue;
    marked = false;
    if (restyle) ::SendMessageW(button, BM_SETSTYLE, (style & 0xFFFF & ~BS_TYPEMASK) | type, TRUE);
  }
  return marked;
}

void FormWindow::OnDpiChanged(int dpi, const RECT& suggested) {
  dpi_ = dpi;
  UseFonts(MakeFonts(), true);
  UseIcons();
  for (const ElementDesc& desc : desc_.elements) PlaceElement(desc);
  // Minimised, it is parked where the system suggests and restored where it was.
  if (::IsIconic(Hwnd())) {
    FitFrame();
    return;
  }
  // Where the system suggests, with the frame of this DPI around the client
  // area the description gives: the suggested size only scales the old one.
  ::SetWindowPos(Hwnd(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  PlaceFrame(suggested.left, suggested.top);
}

void FormWindow::OnRestored() {
  // The menu bar may wrap at a DPI taken while minimised.
  FitFrame();
  // Restoring a window that stayed active leaves the focus on the window.
  HWND focus = ::GetFocus();
  if (::GetActiveWindow() == Hwnd() && (focus == nullptr || focus == Hwnd())) GiveFocusBack();
}

}  // namespace lumora
