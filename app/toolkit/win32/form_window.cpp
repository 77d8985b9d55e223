#include "app/toolkit/win32/form_window.h"

#include <utility>
#include <vector>

#include "app/toolkit/runtime_error.h"
#include "app/toolkit/win32/containers.h"
#include "app/toolkit/win32/dpi.h"
#include "app/toolkit/win32/element_kinds.h"
#include "app/toolkit/win32/error_handler.h"
#include "app/toolkit/win32/platform_error.h"
#include "app/toolkit/win32/text.h"

namespace lumora {

namespace {

// Marks the toolkit's own windows and holds the object behind each. Another
// subclass of the window (an accessibility tool, a theme helper) keeps it.
constexpr wchar_t kObjectProperty[] = L"Lumora.FormWindow";

std::size_t Index(Element element) { return static_cast<std::size_t>(element); }

// The registered class of a window: "Lumora." and the window's name.
std::u16string WindowClassName(Element window) {
  return u"Lumora." + Utf16FromAscii(ElementName(window));
}

void RegisterWindowClass(const std::u16string& name, WNDPROC procedure) {
  HINSTANCE instance = ::GetModuleHandleW(nullptr);
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  if (::GetClassInfoExW(instance, WideView(name), &wc)) return;
  wc.lpfnWndProc = procedure;
  wc.hInstance = instance;
  wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = WideView(name);
  CheckLastError(::RegisterClassExW(&wc), u"RegisterClassEx");
}

}  // namespace

FormWindow::FormWindow(const FormDesc& form, const FrameStyle& frame, FormEvents& events)
    : form_(form), frame_(frame), events_(events), menu_(form) {
  for (const ElementDesc& desc : form_.elements) slots_[Index(desc.element)].desc = &desc;
}

FormWindow::~FormWindow() {
  if (hwnd_ == nullptr) return;
  HWND hwnd = std::exchange(hwnd_, nullptr);
  ::RemovePropW(hwnd, kObjectProperty);
  ReleaseOwner();
  ::DestroyWindow(hwnd);
}

FormWindow* FormWindow::FromHwnd(HWND hwnd) {
  return hwnd != nullptr ? static_cast<FormWindow*>(::GetPropW(hwnd, kObjectProperty)) : nullptr;
}

HWND FormWindow::Handle(Element element) const {
  return element == form_.window ? hwnd_ : slots_[Index(element)].hwnd;
}

const ElementDesc* FormWindow::Describe(Element element) const {
  return slots_[Index(element)].desc;
}

bool FormWindow::Owns(Element element) const {
  return element == form_.window || Describe(element) != nullptr ||
         menu_.Describe(element) != nullptr;
}

void FormWindow::Load(HWND owner) {
  if (hwnd_ != nullptr) throw RuntimeError(kErrPlatformRefused, u"The window is already loaded");
  try {
    Create(owner);
    OnLoad();
  } catch (...) {
    // Half built is not loaded: the next loading starts afresh.
    if (hwnd_ != nullptr) ::DestroyWindow(hwnd_);
    throw;
  }
}

void FormWindow::Create(HWND owner) {
  const std::u16string class_name = WindowClassName(form_.window);
  RegisterWindowClass(class_name, &FormWindow::WindowProc);
  RegisterPanelClass();
  UniqueMenu menu = menu_.Build();

  // Created where the description places it; PlaceOnScreen corrects the
  // estimate only if the frame turns out otherwise.
  dpi_ = DpiOf(nullptr);
  const RECT frame = FrameAround(
      {TwipsToPixels(form_.client_width, dpi_), TwipsToPixels(form_.client_height, dpi_)},
      frame_.style, frame_.ex_style, menu.get() != nullptr, dpi_);
  const std::u16string caption(form_.caption);
  CheckLastError(
      ::CreateWindowExW(frame_.ex_style, WideView(class_name), WideView(caption), frame_.style,
                        TwipsToPixels(form_.screen_left, dpi_) + frame.left,
                        TwipsToPixels(form_.screen_top, dpi_) + frame.top, frame.right - frame.left,
                        frame.bottom - frame.top, owner, menu.get(), ::GetModuleHandleW(nullptr),
                        this),
      u"CreateWindowEx");
  (void)menu.release();  // the window's menu bar now
  dpi_ = DpiOf(hwnd_);
  UseIcons();
  CreateElements();
  UseFonts(MakeFonts(), false);
  PlaceOnScreen();
  // The first element in focus order that takes the focus has it first.
  focus_ = nullptr;
  for (const ElementDesc* desc : TabOrder(form_)) {
    if (TraitsOf(desc->kind).TakesFocus()) {
      focus_ = Handle(desc->element);
      break;
    }
  }
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
      const KindTraits& kind = TraitsOf(desc->kind);
      // Each control starts a group but one that joins the group of the one
      // before it: the arrow keys move between the options only.
      const bool joins_group =
          kind.forms_group && previous != nullptr && TraitsOf(previous->kind).forms_group;
      const DWORD style = WS_CHILD | WS_VISIBLE | kind.style | (joins_group ? 0 : WS_GROUP);
      const std::u16string caption(desc->caption);
      const auto id = static_cast<INT_PTR>(ControlId(desc->element));
      // Everything is left to right at creation: no mirroring to allow for yet.
      const PixelRect rect = ToPixels(desc->rect, dpi_);
      HWND control = CheckLastError(
          ::CreateWindowExW(kind.ex_style, kind.window_class, WideView(caption), style, rect.left,
                            rect.top, rect.width, rect.height, Handle(desc->container),
                            reinterpret_cast<HMENU>(id), instance, nullptr),
          u"CreateWindowEx");
      slots_[Index(desc->element)].hwnd = control;
      if (kind.HoldsElements()) {
        ForwardNotificationsToWindow(control);
        containers.push_back(desc->element);
      }
      previous = desc;
    }
  }
}

void FormWindow::Show(int show_command) {
  ::ShowWindow(hwnd_, show_command);
  // A fixed window is never maximised, whether asked to be or the system
  // applies a shortcut's "Run: Maximized" itself.
  if (::IsZoomed(hwnd_) && (frame_.style & WS_MAXIMIZEBOX) == 0) {
    ::ShowWindow(hwnd_, SW_SHOWNORMAL);
  }
  ::UpdateWindow(hwnd_);
  // Activation gave the focus already, unless the window was not activated.
  if (focus_ != nullptr && ::GetFocus() != focus_) ::SetFocus(focus_);
}

void FormWindow::ShowOver(HWND owner) {
  Load(owner);
  owner_ = owner;
  if (owner_ != nullptr) ::EnableWindow(owner_, FALSE);
  Show(SW_SHOW);
}

void FormWindow::Unload() {
  // The owner takes input again before this window goes, so it is the one activated.
  ReleaseOwner();
  if (hwnd_ != nullptr) ::DestroyWindow(hwnd_);
}

void FormWindow::ReleaseOwner() {
  if (HWND owner = std::exchange(owner_, nullptr); owner != nullptr) ::EnableWindow(owner, TRUE);
}

void FormWindow::GiveFocusBack() const {
  if (focus_ != nullptr && ::IsChild(hwnd_, focus_)) ::SetFocus(focus_);
}

void FormWindow::OnCommand(WPARAM w_param, LPARAM l_param) {
  Element element{};
  if (!ElementFromControlId(LOWORD(w_param), element)) return;
  ClickHandler handler = nullptr;
  if (const ElementDesc* desc = Describe(element)) {
    switch (HIWORD(w_param)) {
      // Followed as it moves: Windows takes the focus from the element
      // before a minimised window is deactivated.
      case BN_SETFOCUS:
      case EN_SETFOCUS:
        focus_ = Handle(element);
        return;
      case BN_CLICKED:  // by the mouse, or by a tool that posts it by its id
        if (TraitsOf(desc->kind).click_is_command) handler = desc->on_click;
        break;
      default:
        break;
    }
  } else if (const MenuDesc* item = menu_.Describe(element); item != nullptr && l_param == 0) {
    handler = item->on_click;  // chosen, or its shortcut key pressed
  }
  // A window takes no input while a box or a window is shown over it, also
  // none posted to it: one Apply runs at a time.
  if (handler != nullptr && ::IsWindowEnabled(hwnd_)) handler(events_);
}

LRESULT FormWindow::HandleMessage(UINT message, WPARAM w_param, LPARAM l_param) {
  switch (message) {
    case WM_COMMAND:
      OnCommand(w_param, l_param);
      return 0;
    // A plain window keeps the focus itself when it is activated again or
    // restored; a dialog gives it back to the element that had it.
    case WM_SETFOCUS:
      GiveFocusBack();
      return 0;
    case WM_SIZE:
      if (w_param == SIZE_RESTORED && std::exchange(minimised_, false)) OnRestored();
      if (w_param == SIZE_MINIMIZED) minimised_ = true;
      break;
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
      for (Slot& slot : slots_) slot.hwnd = nullptr;
      menu_.Forget();
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
    if (!::SetPropW(hwnd, kObjectProperty, self)) return FALSE;
    self->hwnd_ = hwnd;
  } else {
    self = FromHwnd(hwnd);
  }
  if (self == nullptr) return ::DefWindowProcW(hwnd, message, w_param, l_param);
  if (message == WM_NCDESTROY) ::RemovePropW(hwnd, kObjectProperty);
  try {
    const LRESULT result = self->HandleMessage(message, w_param, l_param);
    return message == WM_NCDESTROY ? ::DefWindowProcW(hwnd, message, w_param, l_param) : result;
  } catch (...) {
    DefaultErrorHandler();
  }
}

}  // namespace lumora
