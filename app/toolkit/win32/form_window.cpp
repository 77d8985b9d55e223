#include "app/toolkit/win32/form_window.h"

#include <commctrl.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "app/toolkit/runtime_error.h"
#include "app/toolkit/win32/error_handler.h"
#include "app/toolkit/win32/message_loop.h"
#include "app/toolkit/win32/platform_error.h"
#include "app/toolkit/win32/text.h"

namespace lumora {

namespace {

constexpr wchar_t kPanelClass[] = L"LumoraPanel";
constexpr UINT_PTR kForwarderId = 1;

// Frames and panels hold controls; their notifications belong to the window.
bool ForwardToWindow(HWND hwnd, UINT message, WPARAM w_param, LPARAM l_param, LRESULT& result) {
  switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
      result = ::SendMessageW(::GetParent(hwnd), message, w_param, l_param);
      return true;
    default:
      return false;
  }
}

LRESULT CALLBACK FrameForwarder(HWND hwnd, UINT message, WPARAM w_param, LPARAM l_param,
                                UINT_PTR /*id*/, DWORD_PTR /*data*/) {
  LRESULT result = 0;
  if (ForwardToWindow(hwnd, message, w_param, l_param, result)) return result;
  return ::DefSubclassProc(hwnd, message, w_param, l_param);
}

// A panel keeps the font it is given, as controls do, in its window bytes.
LRESULT CALLBACK PanelProc(HWND hwnd, UINT message, WPARAM w_param, LPARAM l_param) {
  LRESULT result = 0;
  if (ForwardToWindow(hwnd, message, w_param, l_param, result)) return result;
  if (message == WM_SETFONT) {
    ::SetWindowLongPtrW(hwnd, 0, static_cast<LONG_PTR>(w_param));
    return 0;
  }
  if (message == WM_GETFONT) return ::GetWindowLongPtrW(hwnd, 0);
  return ::DefWindowProcW(hwnd, message, w_param, l_param);
}

void RegisterClassOnce(const wchar_t* name, WNDPROC proc, int window_bytes = 0) {
  HINSTANCE instance = ::GetModuleHandleW(nullptr);
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  if (::GetClassInfoExW(instance, name, &wc)) return;
  wc.lpfnWndProc = proc;
  wc.cbWndExtra = window_bytes;
  wc.hInstance = instance;
  wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = name;
  if (::RegisterClassExW(&wc) == 0) ThrowLastError(u"RegisterClassEx");
}

struct ControlClass {
  const wchar_t* class_name;
  DWORD style;
  DWORD ex_style;
};

ControlClass ClassFor(ElementKind kind) {
  switch (kind) {
    case ElementKind::kFrame:
      return {L"BUTTON", BS_GROUPBOX, WS_EX_CONTROLPARENT};
    case ElementKind::kTextBox:
      return {L"EDIT", ES_READONLY | ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE};
    case ElementKind::kPanel:
      return {kPanelClass, 0, WS_EX_CONTROLPARENT};
    case ElementKind::kCheckBox:
      return {L"BUTTON", BS_AUTOCHECKBOX | WS_TABSTOP, 0};
    case ElementKind::kOptionButton:
      return {L"BUTTON", BS_AUTORADIOBUTTON | WS_TABSTOP, 0};
    case ElementKind::kCommandButton:
      return {L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0};
    case ElementKind::kLabel:
      return {L"STATIC", SS_LEFT, 0};
  }
  return {L"STATIC", 0, 0};
}

// Present from Windows 10 on, resolved at run time; older systems have one
// DPI for everything.
struct DpiFunctions {
  using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
  using GetDpiForSystemFn = UINT(WINAPI*)();
  using GetSystemMetricsForDpiFn = int(WINAPI*)(int, UINT);
  GetDpiForWindowFn dpi_for_window = nullptr;
  GetDpiForSystemFn dpi_for_system = nullptr;
  GetSystemMetricsForDpiFn metrics_for_dpi = nullptr;
};

const DpiFunctions& Dpi() {
  static const DpiFunctions kFunctions = [] {
    HMODULE user32 = ::GetModuleHandleW(L"user32.dll");
    DpiFunctions found;
    found.dpi_for_window = reinterpret_cast<DpiFunctions::GetDpiForWindowFn>(
        reinterpret_cast<void*>(::GetProcAddress(user32, "GetDpiForWindow")));
    found.dpi_for_system = reinterpret_cast<DpiFunctions::GetDpiForSystemFn>(
        reinterpret_cast<void*>(::GetProcAddress(user32, "GetDpiForSystem")));
    found.metrics_for_dpi = reinterpret_cast<DpiFunctions::GetSystemMetricsForDpiFn>(
        reinterpret_cast<void*>(::GetProcAddress(user32, "GetSystemMetricsForDpi")));
    return found;
  }();
  return kFunctions;
}

int MetricForDpi(int metric, int dpi) {
  const auto metrics_for_dpi = Dpi().metrics_for_dpi;
  return metrics_for_dpi != nullptr ? metrics_for_dpi(metric, static_cast<UINT>(dpi))
                                    : ::GetSystemMetrics(metric);
}

// The registered class of a window: "Lumora." and the window's name.
std::u16string WindowClassName(Element window) { return u"Lumora." + Widen(ElementName(window)); }

// The DPI a window is drawn at (the system's before the window exists).
int DpiFor(HWND hwnd) {
  if (hwnd != nullptr && Dpi().dpi_for_window != nullptr) {
    if (const UINT dpi = Dpi().dpi_for_window(hwnd); dpi != 0) return static_cast<int>(dpi);
  }
  if (hwnd == nullptr && Dpi().dpi_for_system != nullptr) {
    if (const UINT dpi = Dpi().dpi_for_system(); dpi != 0) return static_cast<int>(dpi);
  }
  HDC screen = ::GetDC(nullptr);
  const int dpi = screen != nullptr ? ::GetDeviceCaps(screen, LOGPIXELSY) : 96;
  if (screen != nullptr) ::ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : 96;
}

}  // namespace

FormWindow::~FormWindow() {
  if (hwnd_ == nullptr) return;
  HWND hwnd = std::exchange(hwnd_, nullptr);
  ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
  ReleaseOwner();
  ::DestroyWindow(hwnd);
}

FormWindow* FormWindow::FromHwnd(HWND hwnd) {
  if (hwnd == nullptr ||
      ::GetWindowLongPtrW(hwnd, GWLP_WNDPROC) != reinterpret_cast<LONG_PTR>(&WindowProc)) {
    return nullptr;
  }
  return reinterpret_cast<FormWindow*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

HWND FormWindow::Handle(Element element) const {
  if (element == form_.window) return hwnd_;
  return handles_[static_cast<std::size_t>(element)];
}

bool FormWindow::Owns(Element element) const {
  return element == form_.window || FindElement(form_, element) != nullptr ||
         FindMenu(form_, element) != nullptr;
}

UniqueMenu FormWindow::BuildMenu() const {
  if (form_.menu.empty()) return {};
  UniqueMenu bar(::CreateMenu());
  if (bar.get() == nullptr) ThrowLastError(u"CreateMenu");
  HMENU popup = nullptr;
  for (const MenuDesc& desc : form_.menu) {
    const std::u16string text = MenuText(desc.item, desc.caption);
    const auto id = static_cast<UINT_PTR>(ControlId(desc.item));
    if (desc.parent == form_.window) {
      UniqueMenu created(::CreatePopupMenu());
      if (created.get() == nullptr) ThrowLastError(u"CreatePopupMenu");
      if (!::AppendMenuW(bar.get(), MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(created.get()),
                         Wide(text))) {
        ThrowLastError(u"AppendMenu");
      }
      popup = created.release();  // the bar owns it now
      // Menus carry an identifier too, so every menu and item is found alike.
      MENUITEMINFOW info{};
      info.cbSize = sizeof info;
      info.fMask = MIIM_ID;
      info.wID = static_cast<UINT>(id);
      ::SetMenuItemInfoW(bar.get(), static_cast<UINT>(::GetMenuItemCount(bar.get()) - 1), TRUE,
                         &info);
    } else if (!(desc.caption == u"-" ? ::AppendMenuW(popup, MF_SEPARATOR, id, nullptr)
                                      : ::AppendMenuW(popup, MF_STRING, id, Wide(text)))) {
      ThrowLastError(u"AppendMenu");
    }
  }
  return bar;
}

void FormWindow::BuildShortcuts() {
  std::vector<ACCEL> table;
  for (const MenuDesc& desc : form_.menu) {
    if (desc.shortcut_key == 0) continue;
    table.push_back({FCONTROL | FVIRTKEY, static_cast<WORD>(desc.shortcut_key),
                     static_cast<WORD>(ControlId(desc.item))});
  }
  if (table.empty()) return;
  shortcuts_.reset(::CreateAcceleratorTableW(table.data(), static_cast<int>(table.size())));
  if (shortcuts_.get() == nullptr) ThrowLastError(u"CreateAcceleratorTable");
}

bool FormWindow::FindMenuItem(Element item, HMENU& menu, UINT& position) const {
  HMENU bar = hwnd_ != nullptr ? ::GetMenu(hwnd_) : nullptr;
  if (bar == nullptr) return false;
  int top_index = -1;
  UINT item_index = 0;
  for (const MenuDesc& desc : form_.menu) {
    const bool top_level = desc.parent == form_.window;
    if (top_level) {
      ++top_index;
      item_index = 0;
    }
    if (desc.item == item) {
      menu = top_level ? bar : ::GetSubMenu(bar, top_index);
      position = top_level ? static_cast<UINT>(top_index) : item_index;
      return menu != nullptr;
    }
    if (!top_level) ++item_index;
  }
  return false;
}

std::u16string FormWindow::MenuText(Element item, std::u16string_view caption) const {
  std::u16string text(caption);
  if (const MenuDesc* desc = FindMenu(form_, item);
      desc != nullptr && !desc->shortcut_text.empty()) {
    text += u'\t';
    text += desc->shortcut_text;
  }
  return text;
}

void FormWindow::Create(HWND owner) {
  const std::u16string class_name = WindowClassName(form_.window);
  RegisterClassOnce(Wide(class_name), &FormWindow::WindowProc);
  RegisterClassOnce(kPanelClass, &PanelProc, sizeof(LONG_PTR));
  if (shortcuts_.get() == nullptr) BuildShortcuts();
  UniqueMenu menu = BuildMenu();

  // Created where the description places it; PlaceOnScreen corrects the
  // estimate only if the frame turns out otherwise.
  dpi_ = DpiFor(nullptr);
  RECT frame{0, 0, TwipsToPixels(form_.client_width, dpi_),
             TwipsToPixels(form_.client_height, dpi_)};
  ::AdjustWindowRectEx(&frame, frame_.style, menu.get() != nullptr, frame_.ex_style);
  if (::CreateWindowExW(frame_.ex_style, Wide(class_name), Wide(std::u16string(form_.caption)),
                        frame_.style, TwipsToPixels(form_.screen_left, dpi_) + frame.left,
                        TwipsToPixels(form_.screen_top, dpi_) + frame.top, frame.right - frame.left,
                        frame.bottom - frame.top, owner, menu.get(), ::GetModuleHandleW(nullptr),
                        this) == nullptr) {
    ThrowLastError(u"CreateWindowEx");
  }
  (void)menu.release();  // the window's menu bar now
  dpi_ = DpiFor(hwnd_);
  UseIcons();
  CreateElements();
  UseFonts(MakeFonts(), false);
  PlaceOnScreen();
  // The first element in focus order that takes the focus has it first.
  focus_ = nullptr;
  for (const ElementDesc* desc : TabOrder(form_)) {
    if (TakesFocus(desc->kind)) {
      focus_ = Handle(desc->element);
      break;
    }
  }
}

void FormWindow::Show(int show_command) {
  ::ShowWindow(hwnd_, show_command);
  ::UpdateWindow(hwnd_);
  // Activation gave the focus already, unless the window was not activated.
  if (focus_ != nullptr && ::GetFocus() != focus_) ::SetFocus(focus_);
}

void FormWindow::ShowModal(HWND owner) {
  if (hwnd_ != nullptr) throw RuntimeError(kErrPlatformRefused, u"The window is already shown");
  Create(owner);
  OnLoad();
  owner_ = owner;
  if (owner_ != nullptr) ::EnableWindow(owner_, FALSE);
  Show(SW_SHOW);
  RunMessageLoop(*this);
}

void FormWindow::Unload() {
  // The owner takes input again before this window goes, so it is the one activated.
  ReleaseOwner();
  if (hwnd_ != nullptr) ::DestroyWindow(hwnd_);
}

void FormWindow::ReleaseOwner() {
  if (HWND owner = std::exchange(owner_, nullptr); owner != nullptr) ::EnableWindow(owner, TRUE);
}

FormWindow::Fonts FormWindow::MakeFonts() const {
  const auto make = [this](const FontDesc& desc) {
    const std::u16string face(desc.face);
    UniqueFont font(::CreateFontW(
        FontHeightForPoints(desc.hundredths_of_point, dpi_), 0, 0, 0, desc.weight, FALSE, FALSE,
        FALSE, static_cast<DWORD>(desc.charset), OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
        DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, Wide(face)));
    if (font.get() == nullptr) ThrowLastError(u"CreateFont");
    return font;
  };
  Fonts fonts;
  fonts.window = make(form_.window_font);
  if (!form_.panel_font.face.empty()) fonts.panel = make(form_.panel_font);
  return fonts;
}

void FormWindow::UseFonts(Fonts fonts, bool redraw) {
  for (const ElementDesc& desc : form_.elements) {
    HFONT font = desc.kind == ElementKind::kPanel && fonts.panel.get() != nullptr
                     ? fonts.panel.get()
                     : fonts.window.get();
    ::SendMessageW(Handle(desc.element), WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw);
  }
  // Only now is no element drawn with the old fonts: free them.
  fonts_ = std::move(fonts);
}

void FormWindow::UseIcons() {
  HINSTANCE instance = ::GetModuleHandleW(nullptr);
  const auto load = [&](int metric) {
    const int size = MetricForDpi(metric, dpi_);
    return UniqueIcon(static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(frame_.icon_id),
                                                      IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
  };
  Icons icons{load(SM_CXICON), load(SM_CXSMICON)};
  ::SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icons.large_icon.get()));
  ::SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icons.small_icon.get()));
  icons_ = std::move(icons);
}

void FormWindow::CreateElements() {
  HINSTANCE instance = ::GetModuleHandleW(nullptr);
  const std::vector<const ElementDesc*> tab_order = TabOrder(form_);
  // The dialog keys walk siblings in z-order, and each new child goes below
  // its elder siblings: create each container's contents in focus order, a
  // container before what it holds.
  std::vector<Element> containers{form_.window};
  for (std::size_t next = 0; next < containers.size(); ++next) {
    const ElementDesc* previous = nullptr;
    for (const ElementDesc* desc : tab_order) {
      if (desc->container != containers[next]) continue;
      const ControlClass cls = ClassFor(desc->kind);
      // Each control starts a group but an option button that follows another:
      // the arrow keys move between the options only.
      const bool joins_group = desc->kind == ElementKind::kOptionButton && previous != nullptr &&
                               previous->kind == ElementKind::kOptionButton;
      const DWORD style = WS_CHILD | WS_VISIBLE | cls.style | (joins_group ? 0 : WS_GROUP);
      const std::u16string caption(desc->caption);
      const auto id = static_cast<INT_PTR>(ControlId(desc->element));
      // Everything is left to right at creation: no mirroring to allow for yet.
      const PixelRect rect = ToPixels(desc->rect, dpi_);
      HWND control = ::CreateWindowExW(
          cls.ex_style, cls.class_name, Wide(caption), style, rect.left, rect.top, rect.width,
          rect.height, Handle(desc->container), reinterpret_cast<HMENU>(id), instance, nullptr);
      if (control == nullptr) ThrowLastError(u"CreateWindowEx");
      handles_[static_cast<std::size_t>(desc->element)] = control;
      if (desc->kind == ElementKind::kFrame) {
        ::SetWindowSubclass(control, &FrameForwarder, kForwarderId, 0);
      }
      containers.push_back(desc->element);
      previous = desc;
    }
  }
}

void FormWindow::PlaceElement(const ElementDesc& desc) const {
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
  const int width =
      (window.right - window.left) + TwipsToPixels(form_.client_width, dpi_) - inside.right;
  const int height =
      (window.bottom - window.top) + TwipsToPixels(form_.client_height, dpi_) - inside.bottom;
  const int left = TwipsToPixels(form_.screen_left, dpi_) - (client.x - window.left);
  const int top = TwipsToPixels(form_.screen_top, dpi_) - (client.y - window.top);
  if (left != window.left || top != window.top || width != window.right - window.left ||
      height != window.bottom - window.top) {
    ::SetWindowPos(hwnd_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void FormWindow::SetMirrored(HWND hwnd, bool mirrored) {
  const LONG ex_style = ::GetWindowLongW(hwnd, GWL_EXSTYLE);
  const LONG rtl = WS_EX_LAYOUTRTL | WS_EX_RTLREADING;
  const LONG wanted = mirrored ? (ex_style | rtl) : (ex_style & ~rtl);
  if (wanted == ex_style) return;
  ::SetLastError(0);
  if (::SetWindowLongW(hwnd, GWL_EXSTYLE, wanted) == 0 && ::GetLastError() != 0) {
    ThrowLastError(u"SetWindowLong");
  }
  // Contents measured from the other edge now: put them back where they stand.
  for (const ElementDesc& desc : form_.elements) {
    if (Handle(desc.container) == hwnd) PlaceElement(desc);
  }
  ::SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  if (hwnd == hwnd_ && ::GetMenu(hwnd_) != nullptr && ::IsWindowVisible(hwnd_)) {
    ::DrawMenuBar(hwnd_);
  }
  ::InvalidateRect(hwnd, nullptr, TRUE);
}

void FormWindow::OnDpiChanged(int dpi, const RECT& suggested) {
  dpi_ = dpi;
  UseFonts(MakeFonts(), true);
  UseIcons();
  ::SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  for (const ElementDesc& desc : form_.elements) PlaceElement(desc);
}

LRESULT FormWindow::HandleMessage(UINT message, WPARAM w_param, LPARAM l_param) {
  switch (message) {
    case WM_COMMAND: {
      Element element{};
      // Clicks of buttons and choices of menu items or their shortcut keys.
      const bool click = l_param == 0 || HIWORD(w_param) == BN_CLICKED;
      if (click && ElementFromControlId(LOWORD(w_param), element) && Owns(element)) {
        const ElementDesc* desc = FindElement(form_, element);
        if (desc == nullptr || desc->kind == ElementKind::kCommandButton) OnCommand(element);
      }
      return 0;
    }
    case WM_ACTIVATE:
      // A plain window forgets its focus when deactivated; a dialog would not.
      if (LOWORD(w_param) == WA_INACTIVE) {
        if (HWND focus = ::GetFocus(); focus != nullptr && ::IsChild(hwnd_, focus)) focus_ = focus;
      } else if (HIWORD(w_param) == 0 && focus_ != nullptr && ::IsChild(hwnd_, focus_)) {
        ::SetFocus(focus_);
        return 0;
      }
      break;
    case WM_CTLCOLORSTATIC: {
      // A read-only text box stands on the button face, like the frame around it.
      Element element{};
      const ElementDesc* desc =
          ElementFromControlId(::GetDlgCtrlID(reinterpret_cast<HWND>(l_param)), element)
              ? FindElement(form_, element)
              : nullptr;
      if (desc != nullptr && desc->kind == ElementKind::kTextBox) {
        auto* dc = reinterpret_cast<HDC>(w_param);
        ::SetBkColor(dc, ::GetSysColor(COLOR_BTNFACE));
        ::SetTextColor(dc, ::GetSysColor(COLOR_WINDOWTEXT));
        return reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_BTNFACE));
      }
      break;
    }
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(fonts_.window.get());
    case WM_CLOSE:
      OnClose();
      return 0;
    case WM_DPICHANGED:
      OnDpiChanged(HIWORD(w_param), *reinterpret_cast<const RECT*>(l_param));
      return 0;
    case WM_DESTROY:
      ReleaseOwner();
      break;
    case WM_NCDESTROY:
      // The window procedure passes this last message on itself.
      hwnd_ = nullptr;
      focus_ = nullptr;
      handles_.fill(nullptr);
      return 0;
    default:
      break;
  }
  return ::DefWindowProcW(hwnd_, message, w_param, l_param);
}

LRESULT CALLBACK FormWindow::WindowProc(HWND hwnd, UINT message, WPARAM w_param, LPARAM l_param) {
  FormWindow* self = nullptr;
  if (message == WM_NCCREATE) {
    self = static_cast<FormWindow*>(reinterpret_cast<CREATESTRUCTW*>(l_param)->lpCreateParams);
    self->hwnd_ = hwnd;
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  } else {
    self = reinterpret_cast<FormWindow*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  }
  if (self == nullptr) return ::DefWindowProcW(hwnd, message, w_param, l_param);
  if (message == WM_NCDESTROY) ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
  try {
    const LRESULT result = self->HandleMessage(message, w_param, l_param);
    return message == WM_NCDESTROY ? ::DefWindowProcW(hwnd, message, w_param, l_param) : result;
  } catch (...) {
    DefaultErrorHandler();
  }
}

}  // namespace lumora
