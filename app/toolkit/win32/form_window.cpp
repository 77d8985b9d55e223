#include "app/toolkit/win32/form_window.h"

#include <utility>
#include <vector>

#include "app/toolkit/runtime_error.h"
#include "app/toolkit/win32/containers.h"
#include "app/toolkit/win32/dpi.h"
#include "app/toolkit/win32/element_kinds.h"
#include "app/toolkit/win32/error_handler.h"
#include "app/toolkit/win32/platform_error.h"
#include "app/toolkit/win32/startup_phase.h"
#include "app/toolkit/win32/text.h"
#include "app/toolkit/win32/window_class.h"

namespace lumora {

namespace {

// The toolkit's own windows are those of its class procedure; each holds the
// object behind it in its class's window bytes, which another subclass of the
// window (an accessibility tool, a theme helper) leaves alone. (Not a window
// property: under Wine each read of one is a round trip to the server.)
constexpr int kObjectBytes = 0;

// The registered class of a window: "Lumora." and the window's name.
std::u16string WindowClassName(Element window) {
  return u"Lumora." + Utf16FromAscii(ElementName(window));
}

}  // namespace

FormWindow::FormWindow(const FormDesc& desc, const FrameStyle& frame)
    : desc_(desc), frame_(frame), menu_(desc) {
  for (const ElementDesc& desc : desc_.elements) slots_[Index(desc.element)].desc = &desc;
}

FormWindow::~FormWindow() {
  if (!window_) return;
  // The owner destroys the window after this; no message reaches this object.
  ::SetWindowLongPtrW(window_.get(), kObjectBytes, 0);
  ReleaseOwner();
}

FormWindow* FormWindow::FromHwnd(HWND hwnd) {
  if (hwnd == nullptr || static_cast<ULONG_PTR>(::GetClassLongPtrW(hwnd, GCLP_WNDPROC)) !=
                             reinterpret_cast<ULONG_PTR>(&FormWindow::WindowProc)) {
    return nullptr;
  }
  return reinterpret_cast<FormWindow*>(::GetWindowLongPtrW(hwnd, kObjectBytes));
}

HWND FormWindow::Handle(Element element) const {
  return element == desc_.window ? Hwnd() : slots_[Index(element)].hwnd;
}

const ElementDesc* FormWindow::Describe(Element element) const {
  return slots_[Index(element)].desc;
}

bool FormWindow::Owns(Element element) const {
  return element == desc_.window || Describe(element) != nullptr ||
         menu_.Describe(element) != nullptr;
}

void FormWindow::Load(HWND owner) {
  if (window_) throw RuntimeError(kErrPlatformRefused, u"The window is already loaded");
  try {
    Create(owner);
    OnLoad();
  } catch (...) {
    // Half built is not loaded: the next loading starts afresh.
    window_.reset();
    throw;
  }
}

void FormWindow::Create(HWND owner) {
  const std::u16string class_name = WindowClassName(desc_.window);
  RegisterWindowClass(WideView(class_name), &FormWindow::WindowProc, sizeof(LONG_PTR),
                      frame_.icon_id);
  RegisterPanelClass();
  UniqueMenu menu = menu_.Build();

  // Created where the description places it; PlaceOnScreen corrects the
  // estimate only if the frame turns out otherwise.
  dpi_ = DpiOf(nullptr);
  const RECT frame = FrameAt(dpi_);
  const std::u16string caption(desc_.caption);
  CheckLastError(
      ::CreateWindowExW(frame_.ex_style, WideView(class_name), WideView(caption), frame_.style,
                        TwipsToPixels(desc_.screen_left, dpi_) + frame.left,
                        TwipsToPixels(desc_.screen_top, dpi_) + frame.top, frame.right - frame.left,
                        frame.bottom - frame.top, owner, menu.get(), ::GetModuleHandleW(nullptr),
                        this),
      u"CreateWindowEx");
  (void)menu.release();  // the window's menu bar now
  MarkPhase(StartupPhase::kWindowCreated);
  dpi_ = DpiOf(Hwnd());
  UseIcons();
  // The first element in focus order that takes the focus has it first.
  const ElementDesc* first = nullptr;
  for (const ElementDesc* desc : TabOrder(desc_)) {
    if (TraitsOf(desc->kind).TakesFocus()) {
      first = desc;
      break;
    }
  }
  CreateElements(first);
  UseFonts(MakeFonts(), false);
  PlaceOnScreen();
  focus_ = first != nullptr ? Handle(first->element) : nullptr;
  MarkPhase(StartupPhase::kElementsPlaced);
}

void FormWindow::CreateElements(const ElementDesc* first_focus) {
  HINSTANCE instance = ::GetModuleHandleW(nullptr);
  const std::vector<const ElementDesc*> tab_order = TabOrder(desc_);
  // The dialog keys walk siblings in z-order, and each new child goes below
  // its elder siblings: create each container's contents in focus order, a
  // container before what it holds.
  std::vector<Element> containers{desc_.window};
  for (std::size_t next = 0; next < containers.size(); ++next) {
    const ElementDesc* previous = nullptr;
    for (const ElementDesc* desc : tab_order) {
      if (desc->container != containers[next]) continue;
      const KindTraits& kind = TraitsOf(desc->kind);
      // Each control starts a group but one that joins the group of the one
      // before it: the arrow keys move between the options only.
      const bool joins_group =
          kind.forms_group && previous != nullptr && TraitsOf(previous->kind).forms_group;
      // The push button that takes the focus first is drawn as the default
      // from the start, not restyled and drawn again once it has it.
      const DWORD style = WS_CHILD | WS_VISIBLE | kind.style | (joins_group ? 0 : WS_GROUP) |
                          (desc == first_focus && RunsClicks(desc->kind) ? BS_DEFPUSHBUTTON : 0);
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
  // As the dialog manager does: focus rectangles and access keys show after
  // keyboard input, and hide after the mouse.
  ::SendMessageW(Hwnd(), WM_CHANGEUISTATE, MAKEWPARAM(UIS_INITIALIZE, 0), 0);
  ::ShowWindow(Hwnd(), show_command);
  // A fixed window is never maximised, whether asked to be or the system
  // applies a shortcut's "Run: Maximized" itself.
  if (::IsZoomed(Hwnd()) && (frame_.style & WS_MAXIMIZEBOX) == 0) {
    ::ShowWindow(Hwnd(), SW_SHOWNORMAL);
  }
  MarkPhase(StartupPhase::kShown);
  ::UpdateWindow(Hwnd());
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
  window_.reset();
}

void FormWindow::ReleaseOwner() {
  if (HWND owner = std::exchange(owner_, nullptr); owner != nullptr) ::EnableWindow(owner, TRUE);
}

void FormWindow::GiveFocusBack() const {
  if (focus_ != nullptr && ::IsChild(Hwnd(), focus_)) ::SetFocus(focus_);
}

LRESULT CALLBACK FormWindow::WindowProc(HWND hwnd, UINT message, WPARAM w_param, LPARAM l_param) {
  FormWindow* self = nullptr;
  if (message == WM_NCCREATE) {
    self = static_cast<FormWindow*>(reinterpret_cast<CREATESTRUCTW*>(l_param)->lpCreateParams);
    ::SetWindowLongPtrW(hwnd, kObjectBytes, reinterpret_cast<LONG_PTR>(self));
    self->window_.reset(hwnd);
    AskForFrameScaling(hwnd);
  } else {
    self = FromHwnd(hwnd);
  }
  if (self == nullptr) return ::DefWindowProcW(hwnd, message, w_param, l_param);
  if (message == WM_NCDESTROY) ::SetWindowLongPtrW(hwnd, kObjectBytes, 0);
  try {
    const LRESULT result = self->HandleMessage(message, w_param, l_param);
    return message == WM_NCDESTROY ? ::DefWindowProcW(hwnd, message, w_param, l_param) : result;
  } catch (...) {
    DefaultErrorHandler();
  }
}

}  // namespace lumora
