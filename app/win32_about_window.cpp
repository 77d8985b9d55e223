#include "app/win32_about_window.h"

#include "app/about_window.h"
#include "app/message_loop.h"
#include "app/resources/resource_ids.h"
#include "app/runtime_error.h"

namespace lumora {

namespace {
constexpr DWORD kAboutStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
}  // namespace

void AboutWindow::ShowModal(HWND owner) {
  if (Hwnd() != nullptr) throw RuntimeError(kErrWindowOperation, "frmAbout is already shown");
  Create(owner, nullptr, kAboutStyle, WS_EX_DLGMODALFRAME, kIconAbout);
  frmAbout_Load(ui_);
  owner_ = owner;
  if (owner_ != nullptr) ::EnableWindow(owner_, FALSE);
  ::ShowWindow(Hwnd(), SW_SHOW);
  ::SetFocus(Handle(Element::cmdOK));
  RunMessageLoop(owner_, nullptr, [this] { return Hwnd() == nullptr; });
}

void AboutWindow::Unload() {
  // The owner takes input again before this window goes, so it is the one activated.
  ReleaseOwner();
  Destroy();
}

void AboutWindow::ReleaseOwner() {
  if (owner_ != nullptr) ::EnableWindow(owner_, TRUE);
  owner_ = nullptr;
}

void AboutWindow::OnCommand(Element element) {
  if (element == Element::cmdOK) frmAbout_cmdOK_Click(ui_);
}

void AboutWindow::OnClose() { frmAbout_cmdOK_Click(ui_); }

void AboutWindow::OnDestroyed() { ReleaseOwner(); }

}  // namespace lumora
