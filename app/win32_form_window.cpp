#include "app/win32_form_window.h"

#include <commctrl.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "app/decimal_text.h"
#include "app/runtime_error.h"
#include "app/win32_error_handler.h"
#include "app/win32_text.h"

namespace lumora {

namespace {

constexpr wchar_t kPanelClass[] = L"LumoraPanel";
constexpr UINT_PTR kForwarderId = 1;

[[noreturn]] void Refused(const char* what) {
  throw RuntimeError(kErrWindowOperation,
                     std::string(what) + " failed (error " + DecimalText(::GetLastError()) + ")");
}

// Frames and panels hold controls; their notifications belong to the window.
bool ForwardToWindow(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
      result = ::SendMessageW(::GetParent(hwnd), message, wParam, lParam);
      return true;
    default:
      return false;
  }
}

LRESULT CALLBACK FrameForwarder(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                DWORD_PTR) {
  LRESULT result = 0;
  if (ForwardToWindow(hwnd, message, wParam, lParam, result)) return result;
  return ::DefSubclassProc(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK PanelProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (ForwardToWindow(hwnd, message, wParam, lParam, result)) return result;
  return ::DefWindowProcW(hwnd, message, wParam, lParam);
}

void RegisterClassOnce(const wchar_t* name, WNDPROC proc, HICON icon) {
  WNDCLASSEXW wc{};
  if (::GetClassInfoExW(::GetModuleHandleW(nullptr), name, &wc)) return;
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = proc;
  wc.hInstance = ::GetModuleHandleW(nullptr);
  wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.hIcon = icon;
  wc.lpszClassName = name;
  if (::RegisterClassExW(&wc) == 0) Refused("RegisterClassEx");
}

struct ControlClass {
  const wchar_t* className;
  DWORD style;
  DWORD exStyle;
};

ControlClass ClassFor(ElementKind kind) {
  switch (kind) {
    case ElementKind::Frame:
      return {L"BUTTON", BS_GROUPBOX, WS_EX_CONTROLPARENT};
    case ElementKind::TextBox:
      return {L"EDIT", ES_READONLY | ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE};
    case ElementKind::Panel:
      return {kPanelClass, 0, WS_EX_CONTROLPARENT};
    case ElementKind::CheckBox:
      return {L"BUTTON", BS_AUTOCHECKBOX | WS_TABSTOP, 0};
    case ElementKind::OptionButton:
      return {L"BUTTON", BS_AUTORADIOBUTTON | WS_TABSTOP, 0};
    case ElementKind::CommandButton:
      return {L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0};
    case ElementKind::Label:
      return {L"STATIC", SS_LEFT, 0};
  }
  return {L"STATIC", 0, 0};
}

using GetDpiForWindowFn = UINT(WINAPI*)(HWND);

}  // namespace

std::wstring WindowClassName(Element window) {
  const std::string_view name = ElementName(window);
  return L"Lumora." + std::wstring(name.begin(), name.end());
}

int DpiFor(HWND hwnd) {
  // Present from Windows 10 on; older systems have one DPI for everything.
  static const auto getDpiForWindow = reinterpret_cast<GetDpiForWindowFn>(reinterpret_cast<void*>(
      ::GetProcAddress(::GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
  if (hwnd != nullptr && getDpiForWindow != nullptr) {
    if (const UINT dpi = getDpiForWindow(hwnd); dpi != 0) return static_cast<int>(dpi);
  }
  HDC screen = ::GetDC(nullptr);
  const int dpi = screen != nullptr ? ::GetDeviceCaps(screen, LOGPIXELSY) : 96;
  if (screen != nullptr) ::ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : 96;
}

FormWindow::~FormWindow() { Destroy(); }

HWND FormWindow::Handle(Element element) const {
  if (element == form_.window) return hwnd_;
  return handles_[static_cast<std::size_t>(element)];
}

void FormWindow::Destroy() {
  if (hwnd_ != nullptr) ::DestroyWindow(hwnd_);
}

void FormWindow::Create(HWND owner, HMENU menu, DWORD style, DWORD exStyle, int iconId) {
  HINSTANCE instance = ::GetModuleHandleW(nullptr);
  dpi_ = DpiFor(nullptr);
  const auto loadIcon = [&](int metric) {
    const int size = ::GetSystemMetrics(metric);
    return static_cast<HICON>(
        ::LoadImageW(instance, MAKEINTRESOURCEW(iconId), IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
  };
  bigIcon_.reset(loadIcon(SM_CXICON));
  smallIcon_.reset(loadIcon(SM_CXSMICON));

  const std::wstring className = WindowClassName(form_.window);
  RegisterClassOnce(className.c_str(), &FormWindow::WindowProc, nullptr);
  RegisterClassOnce(kPanelClass, &PanelProc, nullptr);

  RECT frame{0, 0, TwipsToPixels(form_.clientWidth, dpi_), TwipsToPixels(form_.clientHeight, dpi_)};
  ::AdjustWindowRectEx(&frame, style, menu != nullptr, exStyle);
  const std::wstring caption = ToWide(form_.caption);
  HWND created = ::CreateWindowExW(exStyle, className.c_str(), caption.c_str(), style,
                                   CW_USEDEFAULT, CW_USEDEFAULT, frame.right - frame.left,
                                   frame.bottom - frame.top, owner, menu, instance, this);
  if (created == nullptr) {
    if (menu != nullptr) ::DestroyMenu(menu);
    Refused("CreateWindowEx");
  }
  ::SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_.get()));
  ::SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.get()));
  dpi_ = DpiFor(hwnd_);
  MakeFonts();
  ::SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(windowFont_.get()), FALSE);
  CreateElements();
  PlaceOnScreen();
}

void FormWindow::MakeFonts() {
  const auto make = [this](std::u16string_view face) {
    const std::wstring name = ToWide(face);
    HFONT font =
        ::CreateFontW(FontHeightForPoints(kFontHundredthsOfPoint, dpi_), 0, 0, 0, FW_NORMAL, FALSE,
                      FALSE, FALSE, kFontCharset, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                      DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, name.c_str());
    if (font == nullptr) Refused("CreateFont");
    return UniqueFont(font);
  };
  windowFont_ = make(kWindowFontFace);
  if (!form_.panelFontFace.empty()) panelFont_ = make(form_.panelFontFace);
}

void FormWindow::CreateElements() {
  HINSTANCE instance = ::GetModuleHandleW(nullptr);
  const std::vector<const ElementDesc*> tabOrder = TabOrder(form_);
  // Containers come first in the table, so each parent exists when needed.
  for (const ElementDesc& desc : form_.elements) {
    const ControlClass cls = ClassFor(desc.kind);
    // Each control starts a group but an option button that follows another
    // in focus order: the arrow keys move between the options only.
    const auto at = std::ranges::find(tabOrder, &desc);
    const bool joinsGroup = desc.kind == ElementKind::OptionButton && at != tabOrder.begin() &&
                            (*(at - 1))->kind == ElementKind::OptionButton &&
                            (*(at - 1))->container == desc.container;
    const DWORD style = WS_CHILD | WS_VISIBLE | cls.style | (joinsGroup ? 0 : WS_GROUP);
    const std::wstring caption = ToWide(desc.caption);
    const auto id = static_cast<INT_PTR>(ControlId(desc.element));
    // Everything is left to right at creation: no mirroring to allow for yet.
    const PixelRect rect = ToPixels(desc.rect, dpi_);
    HWND control = ::CreateWindowExW(cls.exStyle, cls.className, caption.c_str(), style, rect.left,
                                     rect.top, rect.width, rect.height, Handle(desc.container),
                                     reinterpret_cast<HMENU>(id), instance, nullptr);
    if (control == nullptr) Refused("CreateWindowEx");
    handles_[static_cast<std::size_t>(desc.element)] = control;
    if (desc.kind == ElementKind::Frame) {
      ::SetWindowSubclass(control, &FrameForwarder, kForwarderId, 0);
    }
  }
  // The dialog keys walk siblings in z-order: stack them by tab index.
  std::array<HWND, kElementCount> lastInContainer{};
  for (const ElementDesc* desc : tabOrder) {
    HWND& last = lastInContainer[static_cast<std::size_t>(desc->container)];
    HWND control = Handle(desc->element);
    ::SetWindowPos(control, last != nullptr ? last : HWND_TOP, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOREDRAW);
    last = control;
  }
  ApplyFonts(false);
}

void FormWindow::ApplyFonts(bool redraw) {
  for (const ElementDesc& desc : form_.elements) {
    HFONT font = desc.kind == ElementKind::Panel && panelFont_.get() != nullptr ? panelFont_.get()
                                                                                : windowFont_.get();
    ::SendMessageW(Handle(desc.element), WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw);
  }
}

void FormWindow::PlaceElement(const ElementDesc& desc) {
  HWND control = Handle(desc.element);
  HWND container = Handle(desc.container);
  if (control == nullptr || container == nullptr) return;
  PixelRect rect = ToPixels(desc.rect, dpi_);
  // A right-to-left container measures from its right edge.
  if ((::GetWindowLongW(container, GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0) {
    RECT client{};
    ::GetClientRect(container, &client);
    rect = MirroredForRightToLeft(rect, client.right);
  }
  ::SetWindowPos(control, nullptr, rect.left, rect.top, rect.width, rect.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void FormWindow::PlaceOnScreen() {
  RECT window{};
  ::GetWindowRect(hwnd_, &window);
  POINT client{0, 0};
  ::ClientToScreen(hwnd_, &client);
  // The menu bar may wrap or the frame differ from the estimate: size the
  // client area exactly.
  RECT inside{};
  ::GetClientRect(hwnd_, &inside);
  const int wantWidth = TwipsToPixels(form_.clientWidth, dpi_);
  const int wantHeight = TwipsToPixels(form_.clientHeight, dpi_);
  const int width = (window.right - window.left) + wantWidth - inside.right;
  const int height = (window.bottom - window.top) + wantHeight - inside.bottom;
  const int left = TwipsToPixels(form_.screenLeft, dpi_) - (client.x - window.left);
  const int top = TwipsToPixels(form_.screenTop, dpi_) - (client.y - window.top);
  ::SetWindowPos(hwnd_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void FormWindow::SetMirrored(HWND hwnd, bool mirrored) {
  const LONG exStyle = ::GetWindowLongW(hwnd, GWL_EXSTYLE);
  const LONG rtl = WS_EX_LAYOUTRTL | WS_EX_RTLREADING;
  const LONG wanted = mirrored ? (exStyle | rtl) : (exStyle & ~rtl);
  if (wanted == exStyle) return;
  ::SetLastError(0);
  if (::SetWindowLongW(hwnd, GWL_EXSTYLE, wanted) == 0 && ::GetLastError() != 0) {
    Refused("SetWindowLong");
  }
  // Contents measured from the other edge now: put them back where they stand.
  for (const ElementDesc& desc : form_.elements) {
    if (Handle(desc.container) == hwnd) PlaceElement(desc);
  }
  ::SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  if (hwnd == hwnd_ && ::GetMenu(hwnd_) != nullptr && ::IsWindowVisible(hwnd_))
    ::DrawMenuBar(hwnd_);
  ::InvalidateRect(hwnd, nullptr, TRUE);
}

LRESULT FormWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND: {
      Element element{};
      // Clicks of buttons and choices of menu items or their shortcut keys.
      const bool click = lParam == 0 || HIWORD(wParam) == BN_CLICKED;
      if (click && ElementFromControlId(LOWORD(wParam), element)) {
        const ElementDesc* desc = Describe(element);
        if (desc == nullptr || desc->kind == ElementKind::CommandButton) OnCommand(element);
      }
      return 0;
    }
    case WM_CLOSE:
      OnClose();
      return 0;
    case WM_DPICHANGED: {
      dpi_ = HIWORD(wParam);
      MakeFonts();
      ::SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(windowFont_.get()), FALSE);
      ApplyFonts(true);
      const auto* suggested = reinterpret_cast<const RECT*>(lParam);
      ::SetWindowPos(hwnd_, nullptr, suggested->left, suggested->top,
                     suggested->right - suggested->left, suggested->bottom - suggested->top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
      for (const ElementDesc& desc : form_.elements) PlaceElement(desc);
      return 0;
    }
    case WM_NCDESTROY: {
      HWND gone = std::exchange(hwnd_, nullptr);
      handles_.fill(nullptr);
      OnDestroyed();
      return ::DefWindowProcW(gone, message, wParam, lParam);
    }
    default:
      return ::DefWindowProcW(hwnd_, message, wParam, lParam);
  }
}

LRESULT CALLBACK FormWindow::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  FormWindow* self = nullptr;
  if (message == WM_NCCREATE) {
    self = static_cast<FormWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->hwnd_ = hwnd;
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  } else {
    self = reinterpret_cast<FormWindow*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  }
  if (self == nullptr) return ::DefWindowProcW(hwnd, message, wParam, lParam);
  if (message == WM_NCDESTROY) ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
  try {
    return self->HandleMessage(message, wParam, lParam);
  } catch (...) {
    DefaultErrorHandler(std::current_exception());
  }
}

}  // namespace lumora
