#include "app/win32_main_window.h"

#include <vector>

#include "app/message_loop.h"
#include "app/resources/resource_ids.h"
#include "app/runtime_error.h"
#include "app/win32_text.h"

namespace lumora {

namespace {

using Handler = void (MainForm::*)();
struct Route {
  Element element;
  Handler handler;
};
constexpr Route kRoutes[] = {
    {Element::cmdApply, &MainForm::cmdApply_Click},
    {Element::mnuFileApply, &MainForm::mnuFileApply_Click},
    {Element::cmdAbout, &MainForm::cmdAbout_Click},
    {Element::mnuHelpAbout, &MainForm::mnuHelpAbout_Click},
    {Element::cmdExit, &MainForm::cmdExit_Click},
    {Element::mnuFileExit, &MainForm::mnuFileExit_Click},
    {Element::mnuLangEnglish, &MainForm::mnuLangEnglish_Click},
    {Element::mnuLangPersian, &MainForm::mnuLangPersian_Click},
};

const MenuDesc* FindMenu(Element element) {
  for (const MenuDesc& desc : kMainMenu) {
    if (desc.item == element) return &desc;
  }
  return nullptr;
}

// A fixed window with a system menu and a minimise box.
constexpr DWORD kMainStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

}  // namespace

std::wstring MainWindow::MenuText(Element element, std::u16string_view caption) {
  std::wstring text = ToWide(caption);
  if (const MenuDesc* desc = FindMenu(element); desc != nullptr && !desc->shortcutText.empty()) {
    text += L'\t';
    text += ToWide(desc->shortcutText);
  }
  return text;
}

HMENU MainWindow::BuildMenu() const {
  HMENU bar = ::CreateMenu();
  if (bar == nullptr) throw RuntimeError(kErrWindowOperation, "CreateMenu failed");
  HMENU popup = nullptr;
  for (const MenuDesc& desc : kMainMenu) {
    const std::wstring text = MenuText(desc.item, desc.caption);
    const auto id = static_cast<UINT_PTR>(ControlId(desc.item));
    BOOL added = FALSE;
    if (desc.parent == Element::frmMain) {
      popup = ::CreatePopupMenu();
      added = popup != nullptr && ::AppendMenuW(bar, MF_POPUP | MF_STRING,
                                                reinterpret_cast<UINT_PTR>(popup), text.c_str());
      // Popups carry an identifier too, so every menu is found the same way.
      MENUITEMINFOW info{};
      info.cbSize = sizeof info;
      info.fMask = MIIM_ID;
      info.wID = static_cast<UINT>(id);
      if (added) ::SetMenuItemInfoW(bar, ::GetMenuItemCount(bar) - 1, TRUE, &info);
    } else if (desc.caption == u"-") {
      added = ::AppendMenuW(popup, MF_SEPARATOR, id, nullptr);
    } else {
      added = ::AppendMenuW(popup, MF_STRING, id, text.c_str());
    }
    if (!added) {
      ::DestroyMenu(bar);
      throw RuntimeError(kErrWindowOperation, "AppendMenu failed");
    }
  }
  return bar;
}

void MainWindow::BuildShortcuts() {
  std::vector<ACCEL> table;
  for (const MenuDesc& desc : kMainMenu) {
    if (desc.shortcutKey == 0) continue;
    table.push_back({FCONTROL | FVIRTKEY, static_cast<WORD>(desc.shortcutKey),
                     static_cast<WORD>(ControlId(desc.item))});
  }
  shortcuts_.reset(::CreateAcceleratorTableW(table.data(), static_cast<int>(table.size())));
  if (shortcuts_.get() == nullptr) {
    throw RuntimeError(kErrWindowOperation, "CreateAcceleratorTable failed");
  }
}

bool MainWindow::FindMenuItem(Element element, HMENU& menu, UINT& position) const {
  HMENU bar = Hwnd() != nullptr ? ::GetMenu(Hwnd()) : nullptr;
  if (bar == nullptr) return false;
  int topIndex = -1;
  UINT itemIndex = 0;
  for (const MenuDesc& desc : kMainMenu) {
    if (desc.parent == Element::frmMain) {
      ++topIndex;
      itemIndex = 0;
    }
    if (desc.item == element) {
      menu = desc.parent == Element::frmMain ? bar : ::GetSubMenu(bar, topIndex);
      position = desc.parent == Element::frmMain ? static_cast<UINT>(topIndex) : itemIndex;
      return menu != nullptr;
    }
    if (desc.parent != Element::frmMain) ++itemIndex;
  }
  return false;
}

void MainWindow::Start(int showCommand) {
  form_.Form_Initialize();
  BuildShortcuts();
  Create(nullptr, BuildMenu(), kMainStyle, 0, kIconProgram);
  form_.Form_Load();
  // The first element in focus order takes the focus, also when the window is
  // only activated after it is shown.
  focusBeforeDeactivation_ = Handle(Element::cmdApply);
  ::ShowWindow(Hwnd(), showCommand);
  ::UpdateWindow(Hwnd());
  ::SetFocus(focusBeforeDeactivation_);
}

int MainWindow::Run() {
  return RunMessageLoop(Hwnd(), shortcuts_.get(), [this] { return Hwnd() == nullptr; });
}

void MainWindow::OnCommand(Element element) {
  for (const Route& route : kRoutes) {
    if (route.element == element) (form_.*route.handler)();
  }
}

void MainWindow::OnClose() { Unload(); }

void MainWindow::Unload() {
  if (!unloaded_) {
    unloaded_ = true;
    form_.Form_Unload();
  }
  Destroy();
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ACTIVATE:
      // A plain window forgets its focus when deactivated; a dialog would not.
      if (LOWORD(wParam) == WA_INACTIVE) {
        focusBeforeDeactivation_ = ::GetFocus();
      } else if (focusBeforeDeactivation_ != nullptr &&
                 ::IsChild(Hwnd(), focusBeforeDeactivation_)) {
        ::SetFocus(focusBeforeDeactivation_);
        return 0;
      }
      break;
    case WM_CTLCOLORSTATIC:
      if (reinterpret_cast<HWND>(lParam) == Handle(Element::txtCur)) {
        auto* dc = reinterpret_cast<HDC>(wParam);
        ::SetBkColor(dc, ::GetSysColor(COLOR_BTNFACE));
        ::SetTextColor(dc, ::GetSysColor(COLOR_WINDOWTEXT));
        return reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_BTNFACE));
      }
      break;
    case WM_QUERYENDSESSION:
      return TRUE;
    case WM_ENDSESSION:
      // The session ends without destroying windows: unload now.
      if (wParam != 0 && !unloaded_) {
        unloaded_ = true;
        form_.Form_Unload();
      }
      return 0;
    case WM_DESTROY:
      ::PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return FormWindow::HandleMessage(message, wParam, lParam);
}

}  // namespace lumora
