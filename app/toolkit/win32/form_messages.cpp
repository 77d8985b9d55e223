#include <utility>

#include "app/toolkit/win32/form_window.h"

namespace lumora {

namespace {

// Posted to itself as the focus moves.
constexpr UINT kMarkDefaultButton = WM_APP;

}  // namespace

void FormWindow::OnCommand(WPARAM w_param, LPARAM l_param) {
  Element element{};
  if (!ElementFromControlId(LOWORD(w_param), element)) return;
  ClickHandler handler{};
  if (const ElementDesc* desc = Describe(element)) {
    switch (HIWORD(w_param)) {
      // Followed as it moves: Windows takes the focus from the element
      // before a minimised window is deactivated.
      case BN_SETFOCUS:
      case EN_SETFOCUS:
        focus_ = Handle(element);
        // Once the dialog keys have done with the buttons' styles by their
        // own rules, which cannot find buttons inside containers.
        if (!MarkDefaultButton(false)) ::PostMessageW(Hwnd(), kMarkDefaultButton, 0, 0);
        return;
      case BN_CLICKED:  // by the mouse, or by a tool that posts it by its id
        if (RunsClicks(desc->kind)) handler = desc->on_click;
        break;
      default:
        break;
    }
  } else if (const MenuDesc* item = menu_.Describe(element); item != nullptr && l_param == 0) {
    handler = item->on_click;  // chosen, or its shortcut key pressed
  }
  // A window takes no input while a box or a window is shown over it, also
  // none posted to it: one Apply runs at a time.
  if (handler && ::IsWindowEnabled(Hwnd())) handler(Events());
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
    // The dialog keys ask which button is the default as the focus moves,
    // and set back any other that is styled so.
    case DM_GETDEFID:
      if (HWND button = DefaultButton()) return MAKELRESULT(::GetDlgCtrlID(button), DC_HASDEFID);
      return 0;
    case kMarkDefaultButton:
      (void)MarkDefaultButton(true);
      return 0;
    case WM_GETDPISCALEDSIZE: {
      // Asked before a change of DPI: the frame of that DPI does not scale
      // linearly, so the size is the described client area's at it.
      const RECT frame = FrameAt(static_cast<int>(w_param));
      *reinterpret_cast<SIZE*>(l_param) = {frame.right - frame.left, frame.bottom - frame.top};
      return TRUE;
    }
    case WM_DPICHANGED:
      OnDpiChanged(HIWORD(w_param), *reinterpret_cast<const RECT*>(l_param));
      return 0;
    // The system recalculated the frame round the same outer size for a new
    // title or menu bar (text size, metrics, theme): the client area shrank.
    case WM_SETTINGCHANGE:
      if (w_param == SPI_SETNONCLIENTMETRICS) FitFrame();
      break;
    case WM_THEMECHANGED:
      FitFrame();
      break;
    case WM_DESTROY:
      ReleaseOwner();
      break;
    case WM_NCDESTROY:
      // The system destroys the window, whoever started it; the window
      // procedure passes this last message on itself.
      (void)window_.release();
      focus_ = nullptr;
      for (Slot& slot : slots_) slot.hwnd = nullptr;
      menu_.Forget();
      return 0;
    default:
      break;
  }
  return ::DefWindowProcW(Hwnd(), message, w_param, l_param);
}

}  // namespace lumora
